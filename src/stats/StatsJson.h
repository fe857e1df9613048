#pragma once

#include "stats/ActivitySample.h"

#include <QJsonObject>

class SystemInfoModule;
class CpuMeter;

// "quorvane --stats --json": one object a script can read.
//   cpu.total, cpu.cores[] (percent, null for a core with no reading), memory, virtualMemory,
//   battery (percent or null without one), drives[] {letter, mountPoint, usedPercent},
//   diskBusy (percent or null), network.receiveBytesPerSecond / sendBytesPerSecond (null without
//   counters), temperature (degrees Celsius or null without sensors) and temperatureSensor,
//   processes, threads. A value that cannot be read is null.
namespace StatsJson {
// The module's memory and power records must be fresh and the processes counted.
QJsonObject build(SystemInfoModule& module, CpuMeter& meter, const ActivitySample& activity);
}  // namespace StatsJson
