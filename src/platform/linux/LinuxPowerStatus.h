#pragma once

#include "platform/PowerStatusSource.h"
#include "platform/linux/SystemFiles.h"

// The power state from /sys/class/power_supply. Line power is on when a mains (or USB-C) supply is
// online; system batteries (not those of wireless peripherals) add up.
class LinuxPowerStatus : public PowerStatusSource {
public:
    explicit LinuxPowerStatus(SystemFiles files) : files_(std::move(files)) {}
    std::optional<PowerStatus> read() override;

private:
    SystemFiles files_;
};
