#pragma once

#include "stats/ActivityMeters.h"

#include <QString>

// How the activity values read as text, in the pop-up, --stats and the balloons.
namespace ActivityText {

// "1.2 MB/s", "350 kB/s", "12 B/s": decimal units, as network speeds are counted.
QString rate(double bytesPerSecond);
// "54.0 °C"
QString celsius(const TemperatureReading& reading);
// "Package id 0" with its chip: "coretemp: Package id 0"
QString sensorName(const TemperatureReading& reading);
// "R 1.2 MB/s  S 35 kB/s"
QString networkRates(const NetworkRates& rates);
// "↓1.2MB/s ↑35kB/s": what fits beside a bar.
QString compactRates(const NetworkRates& rates);

// Pop-up lines in the classic frame (19-character label, dots, a blank, the value), "(none)"
// where the machine lacks the item and "n/a" while a rate has nothing to measure yet.
QString coresLine(const std::optional<QList<CoreLoad>>& cores);
QString temperatureLine(const std::optional<TemperatureReading>& reading);
QString diskBusyLine(const std::optional<DiskBusy>& busy, bool available);
QString networkLine(const std::optional<NetworkRates>& rates, bool available);

}  // namespace ActivityText
