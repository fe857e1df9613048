#include "monitor/PopupText.h"

#include "stats/StatisticLabels.h"
#include "stats/SystemInfoModule.h"

#include <QStringList>

namespace PopupText {

namespace {
// A letter alone means little on Linux: the mount point follows the value, as in --stats.
const QString kBeforeMountPoint = QStringLiteral("  ");
}  // namespace

QString build(const SharedSettingsState& shown, SystemInfoModule& stats, CpuMeter* cpuMeter) {
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
    return lines.join(QStringLiteral("\r\n"));
}

}  // namespace PopupText
