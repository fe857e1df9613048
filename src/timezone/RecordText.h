#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// Fields of the delimited text forms of records: splitting, and the conversions their readers apply.
namespace RecordText {

// Splits at every separator; an empty separator leaves the whole text as one field.
QStringList splitFields(const QString& text, const QString& separator);

// A numeric text as a 32-bit integer, rounded halves to even; nothing when not a number or out of range.
std::optional<qint32> toLong(const QString& text);
// "True"/"False" in any letter case or a number (0 false, any other true); nothing otherwise.
std::optional<bool> toBoolean(const QString& text);

// Booleans of records are 16-bit values: -1 for true, 0 for false.
inline QString fromBoolean16(bool value) {
    return value ? QStringLiteral("-1") : QStringLiteral("0");
}
inline QString fromBooleanWord(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

}  // namespace RecordText
