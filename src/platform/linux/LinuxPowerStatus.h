#pragma once

#include "platform/PowerStatusSource.h"
#include "platform/linux/SystemFiles.h"

// The power state from /sys/class/power_supply. Line power is on when a mains (or USB-C) supply is
// online; system batteries (not those of wireless peripherals) add up.
class LinuxPowerStatus : public PowerStatusSource {
public:
    explicit LinuxPowerStatus(SystemFiles files) : files_(std::move(files)) {}
    std::optional<PowerStatus> read() override;

    // Supplies come and go with hardware only: the folder is listed again now and then (at once
    // when a listed supply went away), their state files are read on every sample.
    static constexpr int kReadsPerListing = 10;

private:
    SystemFiles files_;
    QStringList supplies_;
    bool listed_ = false;
    int readsSinceListing_ = kReadsPerListing - 1;  // the first reading lists
};
