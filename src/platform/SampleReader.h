#pragma once

#include <QtGlobal>

// One reader of the system's counters, such as a meter: readers asking in the same wake-up share
// one reading of a system file, while a reader asking again gets a fresh one.
struct SampleReader {
    quint64 seen = 0;  // the reading it was last given
};
