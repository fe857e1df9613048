#pragma once

#include "platform/SystemRecords.h"

#include <optional>

// The memory figures of the machine; nothing when they cannot be read or make no sense.
class MemoryStatusSource {
public:
    virtual ~MemoryStatusSource() = default;
    virtual std::optional<MemoryStatus> read() = 0;
};
