#pragma once

#include "stats/BatteryState.h"

#include <QChar>
#include <QString>
#include <optional>

// The texts that name the statistics in the windows.
namespace StatisticLabels {

// Monitor-window row captions: "CPU activity:", "Physical memory usage:", "Virtual memory usage:",
// "System resources:", "GDI resources:", "User resources:", the battery caption of the condition,
// "C: drive disk usage:" for items 0..7.
QString monitorCaption(int item, BatteryCondition condition = BatteryCondition::Normal);
// "D: drive disk usage:" for an extra drive.
QString monitorDriveCaption(QChar letter);
// "Battery status:", "Battery status (charging):", "Battery status (unplugged):".
QString batteryCaption(BatteryCondition condition);

// Pop-up labels, exactly 19 characters: "CPU activity ......", ..., "Battery status ....",
// "Battery(charging) .", "Battery(unplugged) ", "C: drive usage ...." for items 0..7.
QString popupLabel(int item, BatteryCondition condition = BatteryCondition::Normal);
// "D: drive usage ...." for an extra drive.
QString popupDriveLabel(QChar letter);
// One pop-up line, 24 characters for values 0..999: the label, as many dots as 4 minus the length
// of the value text, a blank and the value text "##0%". 100 gives "CPU activity ...... 100%", 7 gives
// "CPU activity ........ 7%". A failed reading is written as "n/a" in the same frame.
QString popupLine(const QString& label, std::optional<int> value);

}  // namespace StatisticLabels
