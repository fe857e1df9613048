#pragma once

#include "platform/TimeZoneSource.h"

#include <QHash>

// A computer's zone as a test sets it: the TZ variable, zone files by name ("" for the local one),
// Qt's zone and the automatic daylight-saving switch.
class FakeTimeZoneSource : public TimeZoneSource {
public:
    std::optional<QString> tz;
    QHash<QString, QByteArray> files;
    QTimeZone qtZone = QTimeZone::utc();
    std::optional<int> autoDaylightSwitch;

    static FakeTimeZoneSource withRule(const QString& rule) {
        FakeTimeZoneSource source;
        source.tz = rule;
        return source;
    }

    std::optional<QString> environmentRule() const override { return tz; }
    std::optional<QByteArray> zoneFile(const QString& name) const override {
        const auto found = files.constFind(name);
        return found == files.constEnd() ? std::nullopt : std::optional<QByteArray>(*found);
    }
    QTimeZone systemZone() const override { return qtZone; }
    std::optional<int> disableAutoDaylightTimeSet() const override { return autoDaylightSwitch; }
    QString zoneDirectory() const override { return QStringLiteral("/usr/share/zoneinfo"); }
};
