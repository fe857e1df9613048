#include "stats/BatteryState.h"

BatteryState BatteryState::of(const PowerStatus& status) {
    int flag = status.batteryFlag;
    const int percent = status.batteryLifePercent;
    if (flag == 0 && percent > 0) {
        flag = percent;
    }
    BatteryState state;
    state.present = flag > 0 && flag != 128;
    state.charge = percent;
    if (status.acLineStatus == 0) {
        state.condition = BatteryCondition::Unplugged;
    } else if ((flag == 8 || flag == 10) && flag != 1 && percent != 100) {
        state.condition = BatteryCondition::Charging;
    } else {
        state.condition = BatteryCondition::Normal;
    }
    return state;
}
