#pragma once

#include <QByteArray>
#include <QString>
#include <QTimeZone>
#include <optional>

// Where the computer's time zone comes from. Only the raw reads live here; turning them into offsets
// and change-over rules is the job of the time-zone subsystem, so tests can hand in any zone.
class TimeZoneSource {
public:
    virtual ~TimeZoneSource() = default;

    // The TZ environment variable as set; nothing when it is not set at all.
    virtual std::optional<QString> environmentRule() const = 0;
    // The bytes of a compiled zone file (TZif): the system's local zone for an empty name, else the
    // named zone ("Europe/Berlin" or an absolute path). Nothing when it cannot be read.
    virtual std::optional<QByteArray> zoneFile(const QString& name) const = 0;
    // The computer's zone as Qt sees it; used when no rule could be read.
    virtual QTimeZone systemZone() const = 0;
    // The switch that turns off automatic daylight-saving changes. Nothing when it cannot be read.
    virtual std::optional<int> disableAutoDaylightTimeSet() const = 0;
    // Where the system keeps its list of zones.
    virtual QString zoneDirectory() const = 0;
};
