#pragma once

#include "platform/ActivityRecords.h"

#include <QList>
#include <optional>

// Byte counters of the network interfaces other than loopback, and their link speeds.
class NetworkCountersSource {
public:
    virtual ~NetworkCountersSource() = default;
    virtual std::optional<QList<InterfaceBytes>> interfaceBytes() = 0;
    // The fastest link the kernel knows the speed of, in bits per second; nothing when none says.
    virtual std::optional<quint64> fastestLinkBitsPerSecond() = 0;
};
