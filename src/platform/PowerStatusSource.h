#pragma once

#include "platform/SystemRecords.h"

#include <optional>

// The power state of the machine; nothing when the power-supply information cannot be read.
class PowerStatusSource {
public:
    virtual ~PowerStatusSource() = default;
    virtual std::optional<PowerStatus> read() = 0;
};
