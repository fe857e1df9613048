#include "timezone/ZoneInformationReader.h"

#include "timezone/TzifFooter.h"

#include <QDate>
#include <QDateTime>

namespace {

TransitionDate withTime(TransitionDate date, int seconds) {
    // Each part keeps the sign, so the parts add up to the time even when it is negative.
    date.hour = seconds / 3600;
    date.minute = (seconds % 3600) / 60;
    date.second = seconds % 60;
    return date;
}

TransitionDate absoluteDate(const QDate& date) {
    return {date.year(), date.month(), date.day(), date.dayOfWeek() % 7, 0, 0, 0};
}

TransitionDate transitionDate(const PosixTzRule::Transition& transition, int year) {
    using Form = PosixTzRule::Transition::Form;
    const QDate newYear(year, 1, 1);
    TransitionDate date;
    switch (transition.form) {
        case Form::MonthWeekDay:
            date = {0, transition.month, transition.week, transition.dayOfWeek, 0, 0, 0};
            break;
        case Form::JulianNoLeap: {
            const bool afterLeapDay = QDate::isLeapYear(year) && transition.day >= 60;
            date = absoluteDate(newYear.addDays(transition.day - 1 + (afterLeapDay ? 1 : 0)));
            break;
        }
        case Form::ZeroBasedDay:
            date = absoluteDate(newYear.addDays(transition.day));
            break;
    }
    return withTime(date, transition.timeSeconds);
}

TransitionDate wallClockDate(const QDateTime& utc, int offsetSeconds) {
    const QDateTime local = utc.toUTC().addSecs(offsetSeconds);
    const QTime time = local.time();
    TransitionDate date = absoluteDate(local.date());
    date.hour = time.hour();
    date.minute = time.minute();
    date.second = time.second();
    return date;
}

std::optional<ZoneInformation> fromZoneFile(const std::optional<QByteArray>& bytes, int year) {
    if (!bytes) {
        return std::nullopt;
    }
    const auto footer = TzifFooter::read(*bytes);
    if (!footer) {
        return std::nullopt;
    }
    const auto rule = PosixTzRule::parse(*footer);
    if (!rule) {
        return std::nullopt;
    }
    return ZoneInformationReader::fromRule(*rule, year);
}

}  // namespace

namespace ZoneInformationReader {

ZoneInformation read(const TimeZoneSource& source, int year) {
    if (const auto environment = source.environmentRule()) {
        const QString text = environment->trimmed();
        if (text.isEmpty()) {
            return {};  // an empty TZ means UTC to the C library
        }
        const bool namesFile = text.startsWith(QLatin1Char(':'));
        if (!namesFile) {
            if (const auto rule = PosixTzRule::parse(text)) {
                return fromRule(*rule, year);
            }
        }
        if (const auto information = fromZoneFile(source.zoneFile(namesFile ? text.mid(1) : text), year)) {
            return *information;
        }
        return fromQtZone(source.systemZone(), year);
    }
    if (const auto information = fromZoneFile(source.zoneFile(QString()), year)) {
        return *information;
    }
    return fromQtZone(source.systemZone(), year);
}

ZoneInformation fromRule(const PosixTzRule& rule, int year) {
    ZoneInformation information;
    information.stdBiasGMT = rule.standardOffsetSeconds / 60;
    information.dstBiasGMT = rule.daylightOffsetSeconds / 60;
    if (rule.hasDaylightTime) {
        information.daylightDate = transitionDate(rule.daylightStart, year);
        information.standardDate = transitionDate(rule.daylightEnd, year);
    }
    return information;
}

ZoneInformation fromQtZone(const QTimeZone& zone, int year) {
    ZoneInformation information;
    if (!zone.isValid()) {
        return information;
    }
    const QDateTime yearStart(QDate(year, 1, 1), QTime(0, 0), Qt::UTC);
    const QDateTime yearEnd(QDate(year + 1, 1, 1), QTime(0, 0), Qt::UTC);
    information.stdBiasGMT = zone.standardTimeOffset(yearStart) / 60;
    information.dstBiasGMT = information.stdBiasGMT;
    if (!zone.hasDaylightTime()) {
        return information;
    }
    std::optional<TransitionDate> daylightDate;
    std::optional<TransitionDate> standardDate;
    int daylightBias = information.stdBiasGMT;
    int standardBias = information.stdBiasGMT;
    for (const QTimeZone::OffsetData& transition : zone.transitions(yearStart, yearEnd)) {
        // Change-over times are given in the local time in force before the change.
        const int offsetBefore = zone.offsetFromUtc(transition.atUtc.addSecs(-1));
        if (transition.daylightTimeOffset != 0 && !daylightDate) {
            daylightDate = wallClockDate(transition.atUtc, offsetBefore);
            daylightBias = transition.offsetFromUtc / 60;
            standardBias = transition.standardTimeOffset / 60;
        } else if (transition.daylightTimeOffset == 0 && !standardDate) {
            standardDate = wallClockDate(transition.atUtc, offsetBefore);
        }
    }
    if (daylightDate && standardDate) {
        information.stdBiasGMT = standardBias;
        information.dstBiasGMT = daylightBias;
        information.daylightDate = *daylightDate;
        information.standardDate = *standardDate;
    }
    return information;
}

}  // namespace ZoneInformationReader
