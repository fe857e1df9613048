#pragma once

#include "platform/ActivityRecords.h"
#include "platform/SampleReader.h"

#include <QList>
#include <optional>

// The time each online processor spent busy and in total since boot.
class CoreTimesSource {
public:
    virtual ~CoreTimesSource() = default;
    // In processor order; nothing when they cannot be read.
    virtual std::optional<QList<CoreTicks>> coreTicks(SampleReader& reader) = 0;
};
