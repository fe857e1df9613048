#include "monitor/PopupText.h"

#include "stats/StatisticLabels.h"
#include "stats/SystemInfoModule.h"

#include <QStringList>

namespace PopupText {

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
    return lines.join(QStringLiteral("\r\n"));
}

}  // namespace PopupText
