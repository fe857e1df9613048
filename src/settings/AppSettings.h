#pragma once

#include "platform/SettingsStore.h"

#include <QDateTime>
#include <QString>
#include <optional>

// Reads and writes keys of section "Settings". A read's default is given as a value of the
// expected type and turned into text first, so the caller's conversion always applies to text.
class AppSettings {
public:
    explicit AppSettings(SettingsStore& store) : store_(store) {}

    QString text(const QString& key, const QString& defaultText) const;
    QString text(const QString& key, bool defaultValue) const;
    QString text(const QString& key, int defaultValue) const;

    // A flag for a check mark: boolean conversion. Nothing when the text does not convert.
    std::optional<bool> checkMark(const QString& key, bool defaultValue) const;
    // A "0"/"1" flag read for an action: true only when the text converts to the number 1.
    bool actionFlag(const QString& key, int defaultValue) const;
    std::optional<qint16> int16(const QString& key, int defaultValue) const;
    std::optional<QDateTime> dateTime(const QString& key, const QDateTime& defaultValue) const;

    bool write(const QString& key, const QString& text);
    bool writeBoolean(const QString& key, bool value);
    bool writeFlag(const QString& key, bool value);  // "1" or "0"
    bool writeInt(const QString& key, int value);
    bool writeDateTime(const QString& key, const QDateTime& value);

    SettingsStore& store() { return store_; }

private:
    SettingsStore& store_;
};
