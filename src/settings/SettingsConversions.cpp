#include "settings/SettingsConversions.h"

#include "platform/RoundHalfToEven.h"
#include "timezone/DateTimeText.h"

#include <cmath>

namespace SettingsConversions {

std::optional<bool> toBoolean(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) {
        return true;
    }
    if (trimmed.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) {
        return false;
    }
    if (const auto number = toNumber(trimmed)) {
        return *number != 0.0;
    }
    return std::nullopt;
}

std::optional<double> toNumber(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        return std::nullopt;
    }
    bool ok = false;
    double value = QLocale().toDouble(trimmed, &ok);
    if (!ok) {
        value = QLocale::c().toDouble(trimmed, &ok);
    }
    if (!ok || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

bool equalsOne(const QString& text) {
    const auto number = toNumber(text);
    return number && *number == 1.0;  // "1.4" is not 1, though it rounds to it
}

std::optional<qint16> toInt16(const QString& text) {
    const auto number = toNumber(text);
    if (!number) {
        return std::nullopt;
    }
    const double rounded = roundHalfToEven(*number);
    if (rounded < -32768.0 || rounded > 32767.0) {
        return std::nullopt;
    }
    return static_cast<qint16>(rounded);
}

QString fromBoolean(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

namespace {
// Before the time format kept the locale's own separator, ":ss" was appended to the minutes in every
// locale ("16.05:09" in Finnish); files written then must keep loading.
QString earlierDateTimeFormat(const QLocale& locale) {
    QString time = locale.timeFormat(QLocale::ShortFormat);
    const qsizetype minutes = time.indexOf(QLatin1String("mm"));
    if (!time.contains(QLatin1String("ss")) && minutes >= 0) {
        time.insert(minutes + 2, QLatin1String(":ss"));
    }
    return DateTimeText::dateFormat(locale) + QLatin1Char(' ') + time;
}
}  // namespace

QString fromDateTime(const QDateTime& value, const QLocale& locale) {
    return DateTimeText::dateTime(value, locale);
}

std::optional<QDateTime> toDateTime(const QString& text, const QLocale& locale) {
    const QString trimmed = text.trimmed();
    const QString formats[] = {DateTimeText::dateTimeFormat(locale), earlierDateTimeFormat(locale),
                               locale.dateTimeFormat(QLocale::ShortFormat),
                               locale.dateTimeFormat(QLocale::LongFormat)};
    for (const QString& format : formats) {
        const QDateTime parsed = locale.toDateTime(trimmed, format);
        if (parsed.isValid()) {
            return parsed;
        }
    }
    const QDateTime iso = QDateTime::fromString(trimmed, Qt::ISODate);
    if (iso.isValid()) {
        return iso;
    }
    const QDate dateOnly = locale.toDate(trimmed, QLocale::ShortFormat);
    if (dateOnly.isValid()) {
        return dateOnly.startOfDay();
    }
    return std::nullopt;
}

}  // namespace SettingsConversions
