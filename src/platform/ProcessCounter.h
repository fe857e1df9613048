#pragma once

#include "platform/SystemRecords.h"

#include <optional>

// Counts the processes and threads running on the machine; nothing when they cannot be counted.
class ProcessCounter {
public:
    virtual ~ProcessCounter() = default;
    virtual std::optional<ProcessCounts> count() = 0;
};
