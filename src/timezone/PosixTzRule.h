#pragma once

#include <QString>
#include <optional>

// A POSIX TZ rule such as "EST5EDT,M3.2.0,M11.1.0" or "<+1030>-10:30<+11>-11,M10.1.0,M4.1.0":
// standard and daylight offsets and the two change-over dates. Offsets here count east of Greenwich,
// the reverse of the rule's own sign.
struct PosixTzRule {
    struct Transition {
        enum class Form {
            MonthWeekDay,  // Mm.w.d: the w-th (5: last) weekday d of month m
            JulianNoLeap,  // Jn: day n (1 to 365) of the year, February 29 never counted
            ZeroBasedDay,  // n: day n (0 to 365) of the year, February 29 counted
        };
        Form form = Form::MonthWeekDay;
        int month = 0;
        int week = 0;
        int dayOfWeek = 0;
        int day = 0;
        int timeSeconds = 2 * 3600;  // local time of the change-over; may lie outside 0 to 24 hours
    };

    int standardOffsetSeconds = 0;
    bool hasDaylightTime = false;
    int daylightOffsetSeconds = 0;
    Transition daylightStart;
    Transition daylightEnd;

    // Nothing when the text is not a complete rule.
    static std::optional<PosixTzRule> parse(const QString& text);
};
