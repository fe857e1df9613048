#include "timesync/SntpRecordUpdate.h"

#include <limits>
#include <optional>

void recordSntpAnswer(TimeServerTable& table, int index, int stratum, qint64 roundTripMs) {
    if (index < 0 || size_t(index) >= table.timeServers.size()) {
        return;
    }
    table.timeServers[size_t(index)]->recordSntpReply(
        stratum, int(qBound(qint64(0), roundTripMs, qint64(std::numeric_limits<int>::max()))));
}

TimeZone& synchronisationTimeZone() {
    static std::optional<TimeZone> zone;
    if (!zone) {
        zone.emplace();
    }
    return *zone;
}
