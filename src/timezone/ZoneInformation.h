#pragma once

// One change-over as the system reports it: an absolute date (year not 0) or a yearly rule whose day
// member carries the week (year 0). Day of week counts 0 = Sunday. Times are local wall-clock times
// and may run past midnight.
struct TransitionDate {
    int year = 0;
    int month = 0;
    int day = 0;
    int dayOfWeek = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// The computer's zone: offsets in minutes east of Greenwich and the two change-overs (month 0 in
// both when the zone keeps no daylight-saving time).
struct ZoneInformation {
    int stdBiasGMT = 0;
    int dstBiasGMT = 0;
    TransitionDate standardDate;
    TransitionDate daylightDate;
};
