#include "timezone/RecordText.h"

#include "platform/RoundHalfToEven.h"
#include "settings/SettingsConversions.h"

namespace RecordText {

QStringList splitFields(const QString& text, const QString& separator) {
    if (separator.isEmpty()) {
        return {text};
    }
    return text.split(separator, Qt::KeepEmptyParts);
}

std::optional<qint32> toLong(const QString& text) {
    const auto number = SettingsConversions::toNumber(text);
    if (!number) {
        return std::nullopt;
    }
    const double rounded = roundHalfToEven(*number);
    if (rounded < -2147483648.0 || rounded > 2147483647.0) {
        return std::nullopt;
    }
    return static_cast<qint32>(rounded);
}

std::optional<bool> toBoolean(const QString& text) {
    return SettingsConversions::toBoolean(text);
}

}  // namespace RecordText
