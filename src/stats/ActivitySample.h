#pragma once

#include "stats/ActivityMeters.h"

#include <chrono>
#include <optional>

// One reading of every activity item, measured over an interval: the rates and per-core shares
// need two readings, the first taken by start() and the second by finish().
struct ActivitySample {
    std::optional<QList<CoreLoad>> cores;
    std::optional<TemperatureReading> temperature;
    std::optional<DiskBusy> diskBusy;
    bool disksAvailable = false;
    std::optional<NetworkRates> network;
    bool networkAvailable = false;

    static void start(ActivityMeters& meters);
    static ActivitySample finish(ActivityMeters& meters);
};
