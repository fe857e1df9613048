#include "app/LiveReadings.h"

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
