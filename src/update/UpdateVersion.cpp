#include "update/UpdateVersion.h"

#include <QStringList>

namespace {

std::optional<int> parseNumber(QStringView digits) {
    if (digits.isEmpty()) {
        return std::nullopt;
    }
    int value = 0;
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return std::nullopt;  // no signs, no blanks, no other digit systems
        }
        value = value * 10 + (c.unicode() - '0');  // at most 7 digits: no overflow
    }
    return value;
}

}  // namespace

std::optional<UpdateVersion> UpdateVersion::parse(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.size() > kMaxTextLength) {
        return std::nullopt;
    }
    const qsizetype dot = trimmed.indexOf(QLatin1Char('.'));
    if (dot < 0) {
        return std::nullopt;
    }
    const auto major = parseNumber(QStringView(trimmed).left(dot));
    const auto minor = parseNumber(QStringView(trimmed).mid(dot + 1));
    if (!major || !minor) {
        return std::nullopt;
    }
    return UpdateVersion{*major, *minor};
}

QString UpdateVersion::text() const {
    return QStringLiteral("%1.%2").arg(major).arg(minor);
}

bool isNewerVersion(const QString& fetchedText, const UpdateVersion& own) {
    const auto fetched = UpdateVersion::parse(fetchedText);
    return fetched && *fetched > own;
}
