#include "platform/linux/DecimalFields.h"

#include <limits>

namespace DecimalFields {

void skipBlanks(const QByteArray& text, qsizetype& at, qsizetype end) {
    while (at < end && (text[at] == ' ' || text[at] == '\t')) {
        ++at;
    }
}

std::optional<quint64> next(const QByteArray& text, qsizetype& at, qsizetype end) {
    skipBlanks(text, at, end);
    const qsizetype start = at;
    quint64 value = 0;
    while (at < end && text[at] >= '0' && text[at] <= '9') {
        const auto digit = static_cast<quint64>(text[at] - '0');
        if (value > (std::numeric_limits<quint64>::max() - digit) / 10) {
            return std::nullopt;
        }
        value = value * 10 + digit;
        ++at;
    }
    if (at == start || (at < end && text[at] != ' ' && text[at] != '\t')) {
        return std::nullopt;
    }
    return value;
}

}  // namespace DecimalFields
