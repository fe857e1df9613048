#include "timezone/ZoneRule.h"

#include "timezone/DateTimeText.h"
#include "timezone/RecordText.h"

#include <QLocale>
#include <array>
#include <cmath>
#include <optional>

namespace {

constexpr int kFieldCount = 15;
constexpr double kMsecsPerDay = 86400000.0;
// Far beyond any real change-over; keeps day counts read from text inside QDateTime's range.
constexpr double kMaxDayCount = 3.0e6;

int currentYear() {
    return QDate::currentDate().year();
}

qint64 secondsOfDay(int hour, int minute, int second) {
    return qint64(hour) * 3600 + qint64(minute) * 60 + second;
}

// Qt counts Monday 1 to Sunday 7; rules count Sunday 0 to Saturday 6.
int qtDayOfWeek(int ruleDayOfWeek) {
    return ruleDayOfWeek == 0 ? 7 : ruleDayOfWeek;
}

QString timeText(const QLocale& locale, qint64 seconds) {
    const qint64 ofDay = ((seconds % 86400) + 86400) % 86400;
    return DateTimeText::time(QTime(0, 0).addSecs(static_cast<int>(ofDay)), locale);
}

// The day count in the regional number format. A decimal comma would split the field in the
// comma-separated form, so such locales write a point; the reader accepts both.
QString dayCountText(double days) {
    QLocale locale;
    if (locale.decimalPoint() == QLatin1String(",")) {
        locale = QLocale::c();
    }
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    return locale.toString(days, 'g', 15);
}

std::optional<double> dayCountFromText(const QString& text) {
    for (QLocale locale : {QLocale(), QLocale::c()}) {
        locale.setNumberOptions(locale.numberOptions() | QLocale::RejectGroupSeparator);
        bool ok = false;
        const double days = locale.toDouble(text.trimmed(), &ok);
        if (ok && std::isfinite(days) && std::fabs(days) <= kMaxDayCount) {
            return days;
        }
    }
    return std::nullopt;
}

}  // namespace

QDateTime ZoneRule::Begin(int year, int month, int day, int dayOfWeek, int hour, int minute, int second) {
    year_ = year;
    month_ = month;
    day_ = day;
    week_ = day;
    dayOfWeek_ = dayOfWeek;
    hour_ = hour;
    minute_ = minute;
    second_ = second;
    return EffectiveDate(0);
}

QDateTime ZoneRule::EffectiveDate(int year) const {
    if (month_ < 1 || month_ > 12) {
        return {};
    }
    const qint64 timeOfDay = secondsOfDay(hour_, minute_, second_);
    if (year_ != 0) {
        const QDate date(year != 0 ? year_ : currentYear(), month_, day_);
        if (!date.isValid()) {
            return {};
        }
        effective_ = WallClock::at(date).addSecs(timeOfDay);
        return effective_;
    }
    if (dayOfWeek_ < 0 || dayOfWeek_ > 6) {
        return {};
    }
    QDate date(year != 0 ? year : currentYear(), month_, 1);
    if (!date.isValid()) {
        return {};
    }
    date = date.addDays((qtDayOfWeek(dayOfWeek_) - date.dayOfWeek() + 7) % 7);
    if (week_ > 4) {
        while (date.addDays(7).month() == month_) {
            date = date.addDays(7);
        }
    } else if (week_ > 1) {
        date = date.addDays(qint64(7) * (week_ - 1));
    }
    return WallClock::at(date).addSecs(timeOfDay);
}

void ZoneRule::setEffectiveDate(const QDateTime& value) {
    effective_ = WallClock::of(value);
    const QDate date = effective_.date();
    const QTime time = effective_.time();
    year_ = date.year();
    month_ = date.month();
    day_ = date.day();
    hour_ = time.hour();
    minute_ = time.minute();
    second_ = time.second();
}

QString ZoneRule::Display() const {
    const QLocale locale;
    if (year_ != 0) {
        const QDateTime date = EffectiveDate(0);
        return date.isValid() ? DateTimeText::dateTime(date, locale, DateTimeText::Midnight::Omitted)
                              : QString();
    }
    static const std::array<const char*, 5> ordinals = {"First", "Second", "Third", "Fourth", "Last"};
    // Any week above 4 means the last one, as EffectiveDate takes it.
    if (month_ < 1 || month_ > 12 || week_ < 1 || dayOfWeek_ < 0 || dayOfWeek_ > 6) {
        return {};
    }
    const QString ordinal = QString::fromLatin1(ordinals.at(static_cast<size_t>(qMin(week_, 5) - 1)));
    const QString day = ordinal + QLatin1Char(' ') +
                        locale.dayName(qtDayOfWeek(dayOfWeek_), QLocale::LongFormat) +
                        QStringLiteral(" of ") + locale.monthName(month_, QLocale::LongFormat);
    // A rule time of 24 hours or more, or below zero ("M3.4.4/26", "M3.5.0/-1"), changes over on
    // another day than the one the rule counts from: name that day.
    const qint64 seconds = secondsOfDay(hour_, minute_, second_);
    const qint64 dayShift = seconds >= 0 ? seconds / 86400 : -((-seconds + 86399) / 86400);
    const QString at = QStringLiteral(" at ") + timeText(locale, seconds);
    if (dayShift == 0) {
        return day + at;
    }
    const int shiftedDay = int(((dayOfWeek_ + dayShift) % 7 + 7) % 7);
    const QString weekday = locale.dayName(qtDayOfWeek(shiftedDay), QLocale::LongFormat);
    const QString direction = dayShift > 0 ? QStringLiteral("after") : QStringLiteral("before");
    const qint64 days = dayShift > 0 ? dayShift : -dayShift;
    if (days == 1) {
        return weekday + QLatin1Char(' ') + direction + QStringLiteral(" the ") + day + at;
    }
    return QStringLiteral("%1, %2 days %3 the ").arg(weekday).arg(days).arg(direction) + day + at;
}

QString ZoneRule::Serialize(int format) const {
    QStringList fields(kFieldCount);
    fields[0] = QStringLiteral("0");
    fields[1] = dayCountText(double(WallClock::dayZero().msecsTo(effective_)) / kMsecsPerDay);
    const std::array<int, 8> values = {year_, month_, day_, week_, dayOfWeek_, hour_, minute_, second_};
    for (size_t i = 0; i < values.size(); ++i) {
        fields[static_cast<qsizetype>(i) + 2] = QString::number(values[i]);
    }
    return fields.join(FieldSeparator(format));
}

bool ZoneRule::setSerialize(int format, const QString& text) {
    if (text.isEmpty()) {
        return true;
    }
    const QStringList fields = RecordText::splitFields(text, FieldSeparator(format));
    if (fields.size() < kFieldCount || fields[0] != QLatin1String("0")) {
        return true;
    }
    const auto days = dayCountFromText(fields[1]);
    if (!days) {
        return false;
    }
    std::array<int, 8> values{};
    for (size_t i = 0; i < values.size(); ++i) {
        const auto value = RecordText::toLong(fields[static_cast<qsizetype>(i) + 2]);
        if (!value) {
            return false;
        }
        values[i] = *value;
    }
    effective_ = WallClock::dayZero().addMSecs(std::llround(*days * kMsecsPerDay));
    year_ = values[0];
    month_ = values[1];
    day_ = values[2];
    week_ = values[3];
    dayOfWeek_ = values[4];
    hour_ = values[5];
    minute_ = values[6];
    second_ = values[7];
    return true;
}

QString ZoneRule::FieldSeparator(int format) {
    switch (format) {
        case 1:
            return QStringLiteral(",");
        case 2:
            return QStringLiteral(";");
        case 3:
            return {};
        default:
            return QStringLiteral("\t");
    }
}
