#pragma once

#include "platform/SampleReader.h"

#include <QtGlobal>
#include <optional>

// The readings a CPU meter works from. Times are counts of 100 ns. Each call reads afresh; a
// source holds no measuring state, so any number of meters may share one.
class CpuTimesSource {
public:
    virtual ~CpuTimesSource() = default;
    // Processors online.
    virtual std::optional<int> processorCount() = 0;
    // Time all processors together spent idle since boot (waiting for I/O counts as idle).
    virtual std::optional<qint64> idleTime(SampleReader& reader) = 0;
    // The current time on a clock that never jumps.
    virtual std::optional<qint64> currentTime() = 0;
};
