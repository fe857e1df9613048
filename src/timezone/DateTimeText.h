#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

// Dates and times as the program shows and stores them: the locale's short date with a four-digit
// year and its short time with the seconds added in the locale's own separator ("16.05.09" in
// Finnish), in the locale's own digits.
namespace DateTimeText {

enum class Midnight { Shown, Omitted };          // Omitted: a time of exactly 00:00:00 is left out
enum class Precision { Seconds, Milliseconds };  // Milliseconds: "." and three digits after the seconds

QString dateFormat(const QLocale& locale);
QString timeFormat(const QLocale& locale, Precision precision = Precision::Seconds);
// Date and time joined by a blank; the form stored values are read back with.
QString dateTimeFormat(const QLocale& locale);

QString time(const QTime& value, const QLocale& locale);
QString dateTime(const QDateTime& value, const QLocale& locale, Midnight midnight = Midnight::Shown,
                 Precision precision = Precision::Seconds);

// A whole non-negative number of at least `width` digits, padded with the locale's zero.
QString paddedNumber(qint64 value, int width, const QLocale& locale);

}  // namespace DateTimeText
