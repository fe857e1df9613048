#include "timesync/SntpRecordUpdate.h"

#include <limits>
#include <optional>

void recordSntpAnswer(TimeServerTable& table, int index, int stratum, qint64 roundTripMs) {
    if (index < 0 || size_t(index) >= table.timeServers.size()) {
        return;
    }
    TimeServer& server = *table.timeServers[size_t(index)];
    server.setSntpSupported(true);
    server.setStratum(stratum);
    if (server.RoundTrip() < 1) {
        server.setRoundTrip(int(qBound(qint64(0), roundTripMs, qint64(std::numeric_limits<int>::max()))));
    }
    server.setEnabled(true);
}

TimeZone& synchronisationTimeZone() {
    static std::optional<TimeZone> zone;
    if (!zone) {
        zone.emplace();
    }
    return *zone;
}
