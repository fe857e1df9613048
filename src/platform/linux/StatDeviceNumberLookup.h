#pragma once

#include "platform/DeviceNumberLookup.h"
#include "platform/linux/SystemFiles.h"

// Looks the device node up with stat(2) below the root folder.
class StatDeviceNumberLookup : public DeviceNumberLookup {
public:
    explicit StatDeviceNumberLookup(SystemFiles files) : files_(std::move(files)) {}
    std::optional<dev_t> blockDevice(const QString& systemPath) override;

private:
    SystemFiles files_;
};
