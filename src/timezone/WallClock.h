#pragma once

#include <QDate>
#include <QDateTime>
#include <QTime>

// Change-over moments and local times are wall-clock readings, not instants. They are held as Qt::UTC
// values so that no zone rule of the machine shifts them (02:00 on a spring-forward day stays 02:00).
namespace WallClock {

inline QDateTime at(const QDate& date, const QTime& time = QTime(0, 0)) {
    return QDateTime(date, time, Qt::UTC);
}

// The reading of any date-time, whatever its Qt::TimeSpec: its own date and time of day.
inline QDateTime of(const QDateTime& value) {
    return value.isValid() ? at(value.date(), value.time()) : QDateTime();
}

// The computer's local date and time now.
inline QDateTime now() {
    return of(QDateTime::currentDateTime());
}

// Day 0 of the day-count form of dates: days since this moment, with the time as the fraction.
inline QDateTime dayZero() {
    return at(QDate(1899, 12, 30));
}

}  // namespace WallClock
