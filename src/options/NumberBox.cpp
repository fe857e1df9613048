#include "options/NumberBox.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {
bool isDigit(QChar ch) {
    return ch >= QLatin1Char('0') && ch <= QLatin1Char('9');
}
constexpr char16_t kShiftOut = 14;  // typed by some keyboards as a decimal point
}  // namespace

NumberBox::NumberBox(QObject* parent) : QObject(parent) {}

NumberBox::Cleaned NumberBox::clean(const QString& text, bool positiveOnly) {
    const QString trimmed = text.trimmed();
    Cleaned result;
    bool pointSeen = false;
    for (qsizetype i = 0; i < trimmed.size(); ++i) {
        const QChar ch = trimmed.at(i);
        if (isDigit(ch)) {
            result.text += ch;
        } else if (ch == QLatin1Char('.')) {
            if (!pointSeen) {
                result.text += ch;
                pointSeen = true;
            }
        } else if (i == 0 && (ch == QLatin1Char('-') || ch == QLatin1Char('('))) {
            result.text += QLatin1Char('-');
        }
    }
    // A positive-only box keeps no minus sign, not even one with no number after it.
    if (positiveOnly && result.text.startsWith(QLatin1Char('-'))) {
        result.text.remove(0, 1);
        result.nonNegative = true;
    } else {
        result.nonNegative = numberOf(result.text) >= 0;
    }
    return result;
}

double NumberBox::numberOf(const QString& cleaned) {
    if (cleaned.isEmpty()) {
        return 0;
    }
    const QByteArray latin = cleaned.toLatin1();
    const double number = std::strtod(latin.constData(), nullptr);
    constexpr double kLargest = std::numeric_limits<double>::max();
    if (std::isnan(number)) {
        return 0;
    }
    return std::clamp(number, -kLargest, kLargest);
}

QString NumberBox::plainText(double number) {
    if (!std::isfinite(number)) {
        return QStringLiteral("0");
    }
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, number, std::chars_format::fixed);
    if (result.ec != std::errc()) {
        return QStringLiteral("0");
    }
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

int NumberBox::digitLimitOf(const QString& format) {
    const qsizetype separator = format.indexOf(QLatin1Char(';'));
    if (separator < 0) {
        return int(std::min<qsizetype>(format.size(), std::numeric_limits<qint16>::max()));
    }
    const QString positive = format.left(separator);
    const QString negative = format.mid(separator + 1);
    qsizetype limit = positive.size();
    if (positive.size() < negative.size()) {
        limit = negative.size() - (negative.endsWith(QLatin1Char(')')) ? 1 : 0);
    }
    return int(std::min<qsizetype>(limit, std::numeric_limits<qint16>::max()));
}

QString NumberBox::formatNumber(const QString& cleaned, bool nonNegative, const QString& format,
                                bool positiveOnly) {
    const qsizetype separator = format.indexOf(QLatin1Char(';'));
    QString pattern = format;
    if (separator >= 0) {
        pattern = nonNegative ? format.left(separator) : format.mid(separator + 1);
    }
    if (!positiveOnly && !nonNegative && !format.contains(QLatin1Char('(')) &&
        !format.contains(QLatin1Char('-'))) {
        pattern.prepend(QLatin1Char('-'));
    }
    const QString kept = pattern;
    QString w = pattern;
    QString n = cleaned;
    if (w.size() > 1 && w.endsWith(QLatin1Char('.'))) {
        w.chop(1);
    }
    if (n.size() > 1 && n.endsWith(QLatin1Char('.'))) {
        n.chop(1);
    }

    // Decimals: the number's fraction digits over the picture's places after its point.
    const qsizetype wPoint = w.indexOf(QLatin1Char('.'));
    const qsizetype nPoint = n.indexOf(QLatin1Char('.'));
    if (wPoint >= 0 && nPoint >= 0) {
        for (qsizetype j = 1; nPoint + j < n.size() && wPoint + j < w.size(); ++j) {
            w[wPoint + j] = n.at(nPoint + j);
        }
    }

    // Integer part, right to left: digits fill the "0" and "#" places; more digits than places
    // are not shown.
    qsizetype wi = (wPoint >= 0 ? wPoint : w.size()) - 1;
    qsizetype ni = (nPoint >= 0 ? nPoint : n.size()) - 1;
    while (wi >= 0 && ni >= 0) {
        if (n.at(ni) == QLatin1Char('-')) {
            if (ni == 0) {
                break;
            }
            --ni;
            continue;
        }
        if (w.at(wi) == QLatin1Char('0') || w.at(wi) == QLatin1Char('#')) {
            w[wi] = n.at(ni);
            --ni;
        }
        --wi;
    }

    // Leading zeros in optional places are dropped.
    for (qsizetype i = 0; i < w.size(); ++i) {
        const QChar ch = w.at(i);
        if ((ch >= QLatin1Char('1') && ch <= QLatin1Char('9')) || ch == QLatin1Char('.')) {
            break;
        }
        if (ch == QLatin1Char('0') && i < kept.size() && kept.at(i) == QLatin1Char('#')) {
            w[i] = QLatin1Char('#');
        }
    }

    // A group separator with nothing before it goes too; unfilled places become blanks.
    for (qsizetype i = 0; i < w.size(); ++i) {
        if (w.at(i) == QLatin1Char(',')) {
            const QChar before = i > 0 ? w.at(i - 1) : QChar();
            if (i == 0 || before == QLatin1Char('-') || before == QLatin1Char('(') ||
                before == QLatin1Char(' ')) {
                w[i] = QLatin1Char('#');
            }
        }
        if (w.at(i) == QLatin1Char('#')) {
            w[i] = QLatin1Char(' ');
        }
    }

    // The sign stands next to the first digit.
    w = w.trimmed();
    qsizetype sign = w.indexOf(QLatin1Char('('));
    if (sign < 0) {
        sign = w.indexOf(QLatin1Char('-'));
    }
    if (sign >= 0 && sign < w.size() - 1 && w.at(sign + 1) == QLatin1Char(' ')) {
        qsizetype next = sign + 1;
        while (next < w.size() && w.at(next) == QLatin1Char(' ')) {
            ++next;
        }
        w = w.at(sign) + w.mid(next);
    }
    return w;
}

double NumberBox::value() const {
    return numberOf(clean(text_, positiveOnly_).text);
}

QString NumberBox::formatted() const {
    const Cleaned cleaned = clean(text_, positiveOnly_);
    return formatNumber(cleaned.text, cleaned.nonNegative, format_, positiveOnly_);
}

void NumberBox::setValue(double number) {
    text_ = plainText(number);
    // Being edited, the box shows what typing gives: a picture's "%" would end up among the digits.
    const QString shown = editing() ? clean(text_, positiveOnly_).text : formatted();
    snapshot_ = clean(shown, positiveOnly_).text;
    replacing_ = true;
    text_ = shown;
    Q_EMIT textReplaced(shown);
    replacing_ = false;
    Q_EMIT Change();  // also when the number did not change
}

void NumberBox::setMaxValue(double limit) {
    maxValue_ = limit;
    if (minValue_ > maxValue_) {
        maxValue_ = kDefaultMaxValue;
    }
    if (useLimits_) {
        clampToLimits();
    }
}

void NumberBox::setMinValue(double limit) {
    minValue_ = limit;
    if (maxValue_ < minValue_) {
        minValue_ = maxValue_;
    }
    if (useLimits_) {
        clampToLimits();
    }
}

void NumberBox::setUseMaxMinValues(bool use) {
    useLimits_ = use;
    if (use) {
        clampToLimits();
    }
}

void NumberBox::setFormat(const QString& format) {
    format_ = format;
    digitLimit_ = digitLimitOf(format);
}

void NumberBox::setLimitedPicture(const QString& format, double minimum, double maximum, bool positiveOnly) {
    setFormat(format);
    setPositiveOnly(positiveOnly);
    setMaxValue(maximum);
    setMinValue(minimum);
    setUseMaxMinValues(true);
}

void NumberBox::clampToLimits() {
    if (clean(text_, positiveOnly_).text.isEmpty()) {
        setValue(0);
    }
    if (minValue_ > value()) {
        setValue(minValue_);
    }
    if (maxValue_ < value()) {
        setValue(maxValue_);
    }
}

bool NumberBox::acceptsCharacter(QChar ch, int selectionStart, int selectionLength) const {
    if (locked_) {
        return false;
    }
    const bool wholeTextSelected = selectionLength >= text_.size();
    const bool full = digitLimit_ != 0 && text_.size() >= digitLimit_ && !wholeTextSelected;
    if (isDigit(ch)) {
        return !full;
    }
    if (ch == QLatin1Char('\b')) {
        return true;
    }
    if (ch == QLatin1Char('.') || ch.unicode() == kShiftOut) {
        return !full && format_.contains(QLatin1Char('.')) &&
               (!text_.contains(QLatin1Char('.')) || wholeTextSelected);
    }
    if (ch == QLatin1Char('-')) {
        return !full && !positiveOnly_ && selectionStart <= 0;
    }
    return false;
}

void NumberBox::textEdited(const QString& text) {
    text_ = text;
    if (replacing_) {
        return;
    }
    const QString cleaned = clean(text, positiveOnly_).text;
    if (cleaned == snapshot_) {
        return;
    }
    const double before = numberOf(snapshot_);
    snapshot_ = cleaned;
    if (numberOf(cleaned) != before) {
        Q_EMIT Change();
    }
}

void NumberBox::replaceText(const QString& text) {
    textEdited(text);  // a numeric change is reported like an edit
    replacing_ = true;
    Q_EMIT textReplaced(text);
    replacing_ = false;
}

bool NumberBox::editing() const {
    return hasFocus_ && !locked_ && enabled_;
}

QString NumberBox::focusEntered() {
    hasFocus_ = true;
    if (!editing()) {
        return text_;
    }
    const QString bare = clean(text_, positiveOnly_).text;
    snapshot_ = bare;
    replacing_ = true;
    text_ = bare;
    Q_EMIT textReplaced(bare);
    replacing_ = false;
    return bare;
}

QString NumberBox::focusLeft() {
    hasFocus_ = false;
    if (locked_) {
        return text_;
    }
    if (useLimits_) {
        const Cleaned cleaned = clean(text_, positiveOnly_);
        if (cleaned.text.isEmpty()) {
            replaceText(QStringLiteral("0"));
        }
        const double number = value();
        if (number < minValue_) {
            replaceText(plainText(minValue_));
        } else if (number > maxValue_) {
            replaceText(plainText(maxValue_));
        }
    }
    const QString shown = formatted();
    replaceText(shown);
    return shown;
}

QString NumberBox::pasted(const QString& clipboardText) {
    text_ = clipboardText;
    const QString shown = formatted();
    replaceText(shown);
    return shown;
}
