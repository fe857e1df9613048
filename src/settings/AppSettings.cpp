#include "settings/AppSettings.h"

#include "settings/SettingsConversions.h"

using namespace SettingsConversions;

QString AppSettings::text(const QString& key, const QString& defaultText) const {
    return store_.read(key).value_or(defaultText);
}

QString AppSettings::text(const QString& key, bool defaultValue) const {
    return text(key, fromBoolean(defaultValue));
}

QString AppSettings::text(const QString& key, int defaultValue) const {
    return text(key, QString::number(defaultValue));
}

std::optional<bool> AppSettings::checkMark(const QString& key, bool defaultValue) const {
    return toBoolean(text(key, defaultValue));
}

bool AppSettings::actionFlag(const QString& key, int defaultValue) const {
    return equalsOne(text(key, defaultValue));
}

std::optional<qint16> AppSettings::int16(const QString& key, int defaultValue) const {
    return toInt16(text(key, defaultValue));
}

std::optional<QDateTime> AppSettings::dateTime(const QString& key, const QDateTime& defaultValue) const {
    return toDateTime(text(key, fromDateTime(defaultValue)));
}

bool AppSettings::write(const QString& key, const QString& text) {
    return store_.write(key, text);
}

bool AppSettings::writeBoolean(const QString& key, bool value) {
    return write(key, fromBoolean(value));
}

bool AppSettings::writeFlag(const QString& key, bool value) {
    return write(key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool AppSettings::writeInt(const QString& key, int value) {
    return write(key, QString::number(value));
}

bool AppSettings::writeDateTime(const QString& key, const QDateTime& value) {
    return write(key, fromDateTime(value));
}
