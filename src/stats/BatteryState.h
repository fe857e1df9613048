#pragma once

#include "platform/SystemRecords.h"

#include <QString>

// The one battery rule every consumer applies to the power status.
enum class BatteryCondition { Normal, Charging, Unplugged };

struct BatteryState {
    bool present = false;
    int charge = 0;  // battery life percent (255 when unknown)
    BatteryCondition condition = BatteryCondition::Normal;

    // Flag F and percent P: F 0 with P above 0 counts as F = P; present when F > 0 and F != 128;
    // unplugged when the line status is 0, else charging when F is 8 or 10 unless F is 1 or P is
    // 100, else normal.
    static BatteryState of(const PowerStatus& status);
};
