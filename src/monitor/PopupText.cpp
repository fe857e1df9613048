#include "monitor/PopupText.h"

#include "stats/ActivityText.h"
#include "stats/StatisticLabels.h"
#include "stats/SystemInfoModule.h"

#include <QStringList>

namespace PopupText {

namespace {
// A letter alone means little on Linux: the mount point follows the value, as in --stats.
const QString kBeforeMountPoint = QStringLiteral("  ");
}  // namespace

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
        QString line = StatisticLabels::popupLine(StatisticLabels::popupLabel(item, battery.condition),
                                                  value ? std::optional<int>(*value) : std::nullopt);
        if (item == int(StatisticItem::CDrive)) {
            line += kBeforeMountPoint + stats.driveRoot(QLatin1Char('C'));
        }
        lines << line;
    }
    stats.EnumFixedDrives();
    for (const FixedDrive& drive : stats.fixedDrives()) {
        const int index = driveIndex(drive.letter);
        if (index < 0 || index >= kExtraDriveCount || !shown.showDrive[index]) {
            continue;
        }
        const auto value = stats.driveValue(drive.letter);
        lines << StatisticLabels::popupLine(StatisticLabels::popupDriveLabel(drive.letter),
                                            value ? std::optional<int>(*value) : std::nullopt) +
                     kBeforeMountPoint + drive.mountPoint;
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
