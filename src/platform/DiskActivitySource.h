#pragma once

#include "platform/ActivityRecords.h"
#include "platform/SampleReader.h"

#include <QList>
#include <optional>

// How long each whole disk has been busy since boot (partitions and virtual loop and RAM disks
// left out).
class DiskActivitySource {
public:
    virtual ~DiskActivitySource() = default;
    virtual std::optional<QList<DiskTicks>> diskTicks(SampleReader& reader) = 0;
};
