#pragma once

#include "platform/ActivityRecords.h"

#include <QList>
#include <optional>

// The CPU's temperature among the machine's sensors: the hottest package sensor of a CPU chip
// ("Package id 0" of coretemp, "Tdie" or else "Tctl" of k10temp), otherwise the hottest sensor of a
// CPU chip. Sensors of disks, graphics cards and the like never count.
namespace CpuTemperature {

bool isCpuChip(const QString& chip);
std::optional<TemperatureReading> pick(const QList<TemperatureReading>& readings);
// Whole degrees, halves to even.
qint16 wholeDegrees(const TemperatureReading& reading);

}  // namespace CpuTemperature
