#include "monitor/PopupText.h"

#include "stats/ActivityText.h"
#include "stats/StatisticLabels.h"
#include "stats/SystemInfoModule.h"

#include <QStringList>

namespace PopupText {

QString build(const SharedSettingsState& shown, SystemInfoModule& stats, CpuMeter* cpuMeter,
              ActivityMeters* activity) {
    stats.RefreshSystemStatus();
    const BatteryState battery = stats.batteryState();
    QStringList lines;
    for (int item = 0; item < kFixedItemCount; ++item) {
        if (!shown.showItem[item]) {
            continue;
        }
        if (item == int(StatisticItem::Battery) && !battery.present) {
            continue;
        }
        const auto value = stats.itemValue(item, cpuMeter);
        lines << StatisticLabels::popupLine(StatisticLabels::popupLabel(item, battery.condition),
                                            value ? std::optional<int>(*value) : std::nullopt);
    }
    stats.EnumFixedDrives();
    for (const FixedDrive& drive : stats.fixedDrives()) {
        const int index = driveIndex(drive.letter);
        if (index < 0 || index >= kExtraDriveCount || !shown.showDrive[index]) {
            continue;
        }
        const auto value = stats.driveValue(drive.letter);
        lines << StatisticLabels::popupLine(StatisticLabels::popupDriveLabel(drive.letter),
                                            value ? std::optional<int>(*value) : std::nullopt);
    }
    if (activity != nullptr) {
        const ActivitySettings& chosen = shown.activity;
        if (chosen.shown(ActivityItem::Cores)) {
            lines << ActivityText::coresLine(activity->cores());
        }
        if (chosen.shown(ActivityItem::Temperature)) {
            lines << ActivityText::temperatureLine(activity->temperature());
        }
        if (chosen.shown(ActivityItem::DiskBusy)) {
            const std::optional<DiskBusy> busy = activity->diskBusy();
            lines << ActivityText::diskBusyLine(busy, activity->disksAvailable());
        }
        if (chosen.shown(ActivityItem::Network)) {
            const std::optional<NetworkRates> rates = activity->network();
            lines << ActivityText::networkLine(rates, activity->networkAvailable());
        }
    }
    return lines.join(QStringLiteral("\r\n"));
}

}  // namespace PopupText
