#pragma once

#include "platform/TimeZoneSource.h"

// The zone of a Linux system: TZ, /etc/localtime and the zoneinfo directory ($TZDIR or
// /usr/share/zoneinfo). Linux has no switch for automatic daylight-saving changes.
class LinuxTimeZoneSource : public TimeZoneSource {
public:
    static const LinuxTimeZoneSource& instance();

    std::optional<QString> environmentRule() const override;
    std::optional<QByteArray> zoneFile(const QString& name) const override;
    QTimeZone systemZone() const override;
    std::optional<int> disableAutoDaylightTimeSet() const override { return std::nullopt; }
    QString zoneDirectory() const override;

    // The file a zone name stands for; empty when the name would leave the zone directory.
    static QString zoneFilePath(const QString& name, const QString& zoneDirectory);
};
