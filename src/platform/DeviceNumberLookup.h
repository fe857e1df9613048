#pragma once

#include <sys/types.h>
#include <QString>
#include <optional>

// The block device a device node stands for (its st_rdev), so that filesystems that report an
// anonymous device number in the mount table (btrfs: 0:N) still find their disk.
class DeviceNumberLookup {
public:
    virtual ~DeviceNumberLookup() = default;
    // Nothing when the path is missing or is not a block device node.
    virtual std::optional<dev_t> blockDevice(const QString& systemPath) = 0;
};
