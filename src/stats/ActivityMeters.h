#pragma once

#include "platform/SystemSources.h"
#include "stats/CoreLoadMeter.h"
#include "stats/DiskBusyMeter.h"
#include "stats/NetworkRateMeter.h"

#include <optional>

// The meters of the activity items for one owner (a window, the threshold check, the tray icon):
// the rates measure from the owner's previous reading, so owners never disturb each other.
// Temperature needs no history and is read afresh each time.
//
//   ActivityMeters meters(stats.sources());
//   meters.cores(); meters.diskBusy(); meters.network();  // on each tick, only what is shown
class ActivityMeters {
public:
    explicit ActivityMeters(const SystemSources& sources);

    std::optional<QList<CoreLoad>> cores() { return cores_.query(); }
    std::optional<DiskBusy> diskBusy() { return disks_.query(); }
    std::optional<NetworkRates> network() { return network_.query(); }
    std::optional<TemperatureReading> temperature();

    // After a query: whether the machine has the item at all ("(none)" otherwise).
    bool disksAvailable() const { return disks_.available(); }
    bool networkAvailable() const { return network_.available(); }

private:
    std::shared_ptr<TemperatureSource> temperatures_;
    CoreLoadMeter cores_;
    DiskBusyMeter disks_;
    NetworkRateMeter network_;
};
