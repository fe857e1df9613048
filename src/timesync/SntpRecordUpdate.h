#pragma once

#include "timesync/TimeServerTable.h"

// What a valid SNTP reply teaches about the server at `index` of the table: it answers SNTP, its
// stratum, its first measured round trip, and that it may be used. Nothing for an index outside
// the table (a host that is not in the built-in list).
void recordSntpAnswer(TimeServerTable& table, int index, int stratum, qint64 roundTripMs);

// The zone that remembers the server whose reply last set the clock; made on first use.
TimeZone& synchronisationTimeZone();
