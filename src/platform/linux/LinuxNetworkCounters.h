#pragma once

#include "platform/NetworkCountersSource.h"
#include "platform/linux/KeptOpenFile.h"

#include <QStringList>

// Byte counters from /proc/net/dev, link speeds from /sys/class/net/<interface>/speed (megabits
// per second; -1 or a read error where the kernel does not know, as for Wi-Fi and virtual links).
// Speeds change rarely and each sysfs read is dear: they are read again when the interfaces seen in
// /proc/net/dev change, and otherwise every hundredth time.
class LinuxNetworkCounters : public NetworkCountersSource {
public:
    explicit LinuxNetworkCounters(SystemFiles files)
        : files_(std::move(files)), netdev_(files_, QStringLiteral("/proc/net/dev")) {}
    std::optional<QList<InterfaceBytes>> interfaceBytes() override;
    std::optional<quint64> fastestLinkBitsPerSecond() override;

    // The interfaces of a /proc/net/dev text other than loopback; malformed lines are skipped.
    static QList<InterfaceBytes> parse(const QByteArray& netdev);
    // A speed file's megabits per second; nothing for "-1", garbage or more than 10 Tb/s.
    static std::optional<quint64> parseSpeed(const QByteArray& speed);

    static constexpr int kAsksPerSpeedRead = 100;

private:
    SystemFiles files_;
    KeptOpenFile netdev_;
    QByteArray buffer_;
    QStringList interfaces_;  // as last seen in /proc/net/dev
    bool interfacesChanged_ = true;
    int asksSinceSpeedRead_ = 0;
    std::optional<quint64> fastest_;
};
