#include "timezone/DateTimeText.h"

namespace DateTimeText {

namespace {
QString quoted(const QString& text) {
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

// The characters between the hours and "mm", when they are plain punctuation: ":" or ".".
QString minuteSeparator(const QString& format, qsizetype minutes) {
    qsizetype start = minutes;
    while (start > 0 && !format.at(start - 1).isLetter() && format.at(start - 1) != QLatin1Char('\'')) {
        --start;
    }
    const QString separator = format.mid(start, minutes - start).trimmed();
    return separator.isEmpty() ? QStringLiteral(":") : separator;
}
}  // namespace

QString dateFormat(const QLocale& locale) {
    QString format = locale.dateFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("yyyy"))) {
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));  // two digits would read back as 19xx
    }
    return format;
}

QString timeFormat(const QLocale& locale, Precision precision) {
    QString format = locale.timeFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("ss"))) {
        const qsizetype minutes = format.indexOf(QLatin1String("mm"));
        if (minutes >= 0) {
            format.insert(minutes + 2, quoted(minuteSeparator(format, minutes)) + QLatin1String("ss"));
        }
    }
    if (precision == Precision::Milliseconds) {
        const qsizetype seconds = format.indexOf(QLatin1String("ss"));
        if (seconds >= 0) {
            format.insert(seconds + 2, QLatin1String("'.'zzz"));
        }
    }
    return format;
}

QString dateTimeFormat(const QLocale& locale) {
    return dateFormat(locale) + QLatin1Char(' ') + timeFormat(locale);
}

QString time(const QTime& value, const QLocale& locale) {
    return locale.toString(value, timeFormat(locale));
}

QString dateTime(const QDateTime& value, const QLocale& locale, Midnight midnight, Precision precision) {
    const QString date = locale.toString(value.date(), dateFormat(locale));
    const QTime clock = value.time();
    if (midnight == Midnight::Omitted && QTime(clock.hour(), clock.minute(), clock.second()) == QTime(0, 0)) {
        return date;
    }
    return date + QLatin1Char(' ') + locale.toString(value.time(), timeFormat(locale, precision));
}

QString paddedNumber(qint64 value, int width, const QLocale& locale) {
    QLocale plain = locale;
    plain.setNumberOptions(plain.numberOptions() | QLocale::OmitGroupSeparator);
    const qsizetype missing = width - QString::number(value).size();
    return locale.zeroDigit().repeated(qMax<qsizetype>(missing, 0)) + plain.toString(value);
}

}  // namespace DateTimeText
