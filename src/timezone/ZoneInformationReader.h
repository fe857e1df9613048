#pragma once

#include "platform/TimeZoneSource.h"
#include "timezone/PosixTzRule.h"
#include "timezone/ZoneInformation.h"

#include <QTimeZone>

// Reads the computer's zone the way the C library chooses it: the TZ variable (a rule, or the name of
// a zone file), else the local zone file's rule. Where no rule can be read, Qt's view of the zone gives
// the offsets and this year's change-overs as absolute dates. Rules given as day numbers become
// absolute dates of the given year.
namespace ZoneInformationReader {

ZoneInformation read(const TimeZoneSource& source, int year);
ZoneInformation fromRule(const PosixTzRule& rule, int year);
ZoneInformation fromQtZone(const QTimeZone& zone, int year);

}  // namespace ZoneInformationReader
