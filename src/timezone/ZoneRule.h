#pragma once

#include "timezone/WallClock.h"

#include <QDateTime>
#include <QString>

// When a time zone changes over to standard or to daylight-saving time. Two forms, as the system
// reports transition dates: an absolute date (Year not 0), or a yearly rule "the Week-th DayOfWeek of
// Month at Hour:Minute:Second" (Year 0; Week 5 or more is the last one). Month 0 means no change-over.
// Date-times are wall-clock readings (see WallClock.h).
class ZoneRule {
public:
    int Year() const { return year_; }
    void setYear(int value) { year_ = value; }
    int Month() const { return month_; }
    void setMonth(int value) { month_ = value; }
    int Day() const { return day_; }
    void setDay(int value) { day_ = value; }
    int Week() const { return week_; }
    void setWeek(int value) { week_ = value; }
    int DayOfWeek() const { return dayOfWeek_; }  // 0 = Sunday to 6 = Saturday
    void setDayOfWeek(int value) { dayOfWeek_ = value; }
    int Hour() const { return hour_; }
    void setHour(int value) { hour_ = value; }
    int Minute() const { return minute_; }
    void setMinute(int value) { minute_ = value; }
    int Second() const { return second_; }
    void setSecond(int value) { second_ = value; }

    // Takes the members of one system transition date, whose day member carries the week number in
    // the yearly form, and returns EffectiveDate(0).
    QDateTime Begin(int year, int month, int day, int dayOfWeek, int hour, int minute, int second);

    // The change-over in the given year (0: the current year); invalid when the rule names no real
    // day. The absolute form keeps its result as the rule's effective date.
    QDateTime EffectiveDate(int year = 0) const;
    // Makes the rule an absolute date; Week and DayOfWeek stay.
    void setEffectiveDate(const QDateTime& value);
    // The effective date kept by the absolute form (day 0 until one is set or computed).
    QDateTime storedEffectiveDate() const { return effective_; }

    // The rule for people, in the regional formats: "Last Sunday of October at 3:00:00 AM".
    QString Display() const;

    // One line of 15 delimited fields, layout version "0".
    QString Serialize(int format) const;
    // Reads a line written by Serialize. A text that is empty, too short or of another version is
    // ignored (true); a field that is not a number fails (false) and nothing changes.
    bool setSerialize(int format, const QString& text);

    static QString FieldSeparator(int format);

private:
    int year_ = 0;
    int month_ = 0;
    int day_ = 0;
    int week_ = 0;
    int dayOfWeek_ = 0;
    int hour_ = 0;
    int minute_ = 0;
    int second_ = 0;
    mutable QDateTime effective_ = WallClock::dayZero();
};
