#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <optional>

// The conversions every reader of a stored setting applies to its text.
namespace SettingsConversions {

// "True"/"False" in any letter case, or a number: 0 is false, any other number true.
std::optional<bool> toBoolean(const QString& text);
// The whole text as a number (blanks around it allowed); nothing when it is not one.
std::optional<double> toNumber(const QString& text);
// A "0"/"1" flag read for an action: only a text that converts to the number 1 counts.
bool equalsOne(const QString& text);
// A signed 16-bit integer, rounded halves to even; nothing when not a number or out of range.
std::optional<qint16> toInt16(const QString& text);

QString fromBoolean(bool value);
// A date and time in the locale's short date and its time with seconds, so it reads back exactly.
QString fromDateTime(const QDateTime& value, const QLocale& locale = QLocale());
std::optional<QDateTime> toDateTime(const QString& text, const QLocale& locale = QLocale());

}  // namespace SettingsConversions
