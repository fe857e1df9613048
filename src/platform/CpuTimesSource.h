#pragma once

#include "platform/SampleReader.h"

#include <QtGlobal>
#include <optional>

// Idle time and the processors it was counted over, from one reading, so that a processor going
// offline between the two cannot skew the share.
struct CpuIdle {
    qint64 time = 0;     // all processors together since boot (waiting for I/O counts as idle)
    int processors = 0;  // online
};

// The readings a CPU meter works from. Times are counts of 100 ns. Each call reads afresh; a
// source holds no measuring state, so any number of meters may share one.
class CpuTimesSource {
public:
    virtual ~CpuTimesSource() = default;
    virtual std::optional<CpuIdle> idle(SampleReader& reader) = 0;
    // The current time on a clock that never jumps.
    virtual std::optional<qint64> currentTime() = 0;
};
