// Arbitrary text and format pictures through the numeric entry box: cleaning, formatting, the key
// filter, focus changes with limits, and pasting. The input is split at the first NUL byte into a
// format picture and the text; the first byte also picks the sign rule and the limits.
#include "options/NumberBox.h"

#include <QString>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {
void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

bool isCleanNumber(const QString& text) {
    int points = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (ch == QLatin1Char('.')) {
            ++points;
        } else if (ch == QLatin1Char('-')) {
            if (i != 0) {
                return false;
            }
        } else if (ch < QLatin1Char('0') || ch > QLatin1Char('9')) {
            return false;
        }
    }
    return points <= 1;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const uint8_t flags = data[0];
    const QByteArray rest(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    const qsizetype split = rest.indexOf('\0');
    const QString format = QString::fromUtf8(split < 0 ? QByteArray() : rest.left(split));
    const QString text = QString::fromUtf8(split < 0 ? rest : rest.mid(split + 1));
    const bool positiveOnly = flags & 1;

    // Cleaning yields a plain number; a second cleaning changes nothing.
    const NumberBox::Cleaned cleaned = NumberBox::clean(text, positiveOnly);
    check(isCleanNumber(cleaned.text));
    check(NumberBox::clean(cleaned.text, positiveOnly).text == cleaned.text);
    check(!positiveOnly || !cleaned.text.startsWith(QLatin1Char('-')));
    check(std::isfinite(NumberBox::numberOf(cleaned.text)));
    const QString shown = NumberBox::formatNumber(cleaned.text, cleaned.nonNegative, format, positiveOnly);
    check(shown.size() <= format.size() + 1);
    check(NumberBox::digitLimitOf(format) >= 0);

    NumberBox box;
    box.setFormat(format.isEmpty() ? NumberBox::kDefaultFormat : format);
    box.setPositiveOnly(positiveOnly);
    const double low = (flags >> 1) & 7;
    const double high = low + ((flags >> 4) & 15) * 10;
    box.setMaxValue(high);
    box.setMinValue(low);
    box.setUseMaxMinValues(flags & 0x80);
    box.setValue(NumberBox::numberOf(cleaned.text));
    box.focusEntered();
    for (const QChar ch : text) {
        if (box.acceptsCharacter(ch, int(box.text().size()), 0)) {
            box.textEdited(box.text() + ch);
        }
    }
    box.focusLeft();
    if (box.useMaxMinValues() && format.isEmpty()) {
        // The default picture shows every limit in full: leaving the box keeps the value inside.
        check(box.value() >= low && box.value() <= high);
    }
    box.pasted(text);
    check(std::isfinite(box.value()));
    return 0;
}
