#include "timezone/PosixTzRule.h"

namespace {

constexpr int kMaxOffsetHours = 24;
constexpr int kMaxTimeHours = 167;  // change-over times may run into later days

class RuleReader {
public:
    explicit RuleReader(const QString& text) : text_(text) {}

    bool atEnd() const { return pos_ >= text_.size(); }
    QChar peek() const { return atEnd() ? QChar() : text_.at(pos_); }
    bool take(QChar c) {
        if (peek() != c) {
            return false;
        }
        ++pos_;
        return true;
    }

    // An abbreviation: three or more letters, or "<...>" of letters, digits and signs.
    bool name() {
        if (take(QLatin1Char('<'))) {
            const qsizetype start = pos_;
            while (!atEnd() &&
                   (peek().isLetterOrNumber() || peek() == QLatin1Char('+') || peek() == QLatin1Char('-'))) {
                ++pos_;
            }
            return pos_ - start >= 3 && take(QLatin1Char('>'));
        }
        const qsizetype start = pos_;
        while (!atEnd() && peek().isLetter() && peek().unicode() < 128) {
            ++pos_;
        }
        return pos_ - start >= 3;
    }

    bool startsNumber() const {
        const QChar c = peek();
        return c.isDigit() || c == QLatin1Char('+') || c == QLatin1Char('-');
    }

    // [+|-]hh[:mm[:ss]] in seconds, with the sign of the text.
    std::optional<int> signedTime(int maxHours) {
        int sign = 1;
        if (take(QLatin1Char('-'))) {
            sign = -1;
        } else {
            take(QLatin1Char('+'));
        }
        const auto hours = number(3);
        if (!hours || *hours > maxHours) {
            return std::nullopt;
        }
        int seconds = *hours * 3600;
        for (const int scale : {60, 1}) {
            if (!take(QLatin1Char(':'))) {
                break;
            }
            const auto part = number(2);
            if (!part || *part > 59) {
                return std::nullopt;
            }
            seconds += *part * scale;
        }
        return sign * seconds;
    }

    std::optional<int> number(int maxDigits) {
        int value = 0;
        int digits = 0;
        while (!atEnd() && peek().isDigit() && peek().unicode() < 128 && digits < maxDigits) {
            value = value * 10 + peek().digitValue();
            ++pos_;
            ++digits;
        }
        if (digits == 0) {
            return std::nullopt;
        }
        return value;
    }

    std::optional<PosixTzRule::Transition> transition() {
        using Form = PosixTzRule::Transition::Form;
        PosixTzRule::Transition result;
        if (take(QLatin1Char('M'))) {
            const auto month = number(2);
            const bool firstDot = take(QLatin1Char('.'));
            const auto week = number(1);
            const bool secondDot = take(QLatin1Char('.'));
            const auto day = number(1);
            if (!month || !firstDot || !week || !secondDot || !day || *month < 1 || *month > 12 ||
                *week < 1 || *week > 5 || *day > 6) {
                return std::nullopt;
            }
            result.form = Form::MonthWeekDay;
            result.month = *month;
            result.week = *week;
            result.dayOfWeek = *day;
        } else if (take(QLatin1Char('J'))) {
            const auto day = number(3);
            if (!day || *day < 1 || *day > 365) {
                return std::nullopt;
            }
            result.form = Form::JulianNoLeap;
            result.day = *day;
        } else {
            const auto day = number(3);
            if (!day || *day > 365) {
                return std::nullopt;
            }
            result.form = Form::ZeroBasedDay;
            result.day = *day;
        }
        if (take(QLatin1Char('/'))) {
            const auto time = signedTime(kMaxTimeHours);
            if (!time) {
                return std::nullopt;
            }
            result.timeSeconds = *time;
        }
        return result;
    }

private:
    const QString& text_;
    qsizetype pos_ = 0;
};

// What the C library assumes for a zone that names daylight time but gives no dates.
PosixTzRule::Transition monthWeekDay(int month, int week) {
    PosixTzRule::Transition transition;
    transition.month = month;
    transition.week = week;
    return transition;
}

}  // namespace

std::optional<PosixTzRule> PosixTzRule::parse(const QString& text) {
    RuleReader reader(text);
    PosixTzRule rule;
    if (!reader.name()) {
        return std::nullopt;
    }
    const auto standard = reader.signedTime(kMaxOffsetHours);
    if (!standard) {
        return std::nullopt;
    }
    rule.standardOffsetSeconds = -*standard;
    if (reader.atEnd()) {
        rule.daylightOffsetSeconds = rule.standardOffsetSeconds;
        return rule;
    }
    if (!reader.name()) {
        return std::nullopt;
    }
    rule.hasDaylightTime = true;
    rule.daylightOffsetSeconds = rule.standardOffsetSeconds + 3600;
    if (reader.startsNumber()) {
        const auto daylightOffset = reader.signedTime(kMaxOffsetHours);
        if (!daylightOffset) {
            return std::nullopt;
        }
        rule.daylightOffsetSeconds = -*daylightOffset;
    }
    if (reader.atEnd()) {
        rule.daylightStart = monthWeekDay(3, 2);
        rule.daylightEnd = monthWeekDay(11, 1);
        return rule;
    }
    if (!reader.take(QLatin1Char(','))) {
        return std::nullopt;
    }
    const auto start = reader.transition();
    if (!start || !reader.take(QLatin1Char(','))) {
        return std::nullopt;
    }
    const auto end = reader.transition();
    if (!end || !reader.atEnd()) {
        return std::nullopt;
    }
    rule.daylightStart = *start;
    rule.daylightEnd = *end;
    return rule;
}
