#include "app/LiveReadings.h"

#include "stats/CpuTemperature.h"
#include "stats/SystemInfoModule.h"

namespace {
std::optional<int> widen(std::optional<qint16> value) {
    return value ? std::optional<int>(*value) : std::nullopt;
}
}  // namespace

void LiveReadings::refresh() {
    stats_.RefreshSystemStatus();
}

std::optional<int> LiveReadings::value(StatisticItem item) {
    if (item == StatisticItem::Battery) {
        // The battery line compares the raw charge: 255 (unknown) is never below a level.
        if (!stats_.powerStatusValid()) {
            return std::nullopt;
        }
        return stats_.powerStatus().batteryLifePercent;
    }
    return widen(stats_.itemValue(static_cast<int>(item), cpuMeter_));
}

QList<QChar> LiveReadings::fixedDrives() {
    stats_.EnumFixedDrives();
    return stats_.fixedDriveLetters();
}

std::optional<int> LiveReadings::driveUsage(QChar letter) {
    return widen(stats_.driveValue(letter));
}

QString LiveReadings::mountPoint(QChar letter) {
    return stats_.driveRoot(letter);
}

std::optional<ThresholdReadings::ActivityValue> LiveReadings::activityValue(ActivityItem item) {
    if (!activity_) {
        activity_ = std::make_unique<ActivityMeters>(stats_.sources());
    }
    switch (item) {
        case ActivityItem::Cores: {
            // Each core's share over the whole interval since the previous check.
            const auto cores = activity_->cores();
            const auto busiest = cores ? CoreLoadMeter::busiest(*cores) : std::nullopt;
            if (!busiest) {
                return std::nullopt;
            }
            return ActivityValue{*busiest->percent, QStringLiteral("core ") + QString::number(busiest->cpu)};
        }
        case ActivityItem::Temperature: {
            const auto reading = activity_->temperature();
            if (!reading) {
                return std::nullopt;
            }
            return ActivityValue{CpuTemperature::wholeDegrees(*reading), reading->label};
        }
        case ActivityItem::DiskBusy: {
            const auto busy = activity_->diskBusy();
            if (!busy) {
                return std::nullopt;
            }
            return ActivityValue{busy->percent, busy->disk};
        }
        case ActivityItem::Network:
            break;
    }
    return std::nullopt;
}
