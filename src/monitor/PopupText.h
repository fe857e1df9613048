#pragma once

#include "settings/SharedSettingsState.h"

#include <QString>

class CpuMeter;
class SystemInfoModule;

// The pop-up window's text: one 24-character line per shown statistic, in item order, joined by
// CR LF; a drive's line goes on with its mount point. The battery line appears only while a battery
// is present.
namespace PopupText {
QString build(const SharedSettingsState& shown, SystemInfoModule& stats, CpuMeter* cpuMeter);
}
