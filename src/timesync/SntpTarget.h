#pragma once

#include <QString>
#include <optional>

// Where one SNTP request goes: a host, a port and the position of the host's record in the
// built-in table (-1 when the host is not in it: nothing learned about it is kept).
struct SntpTarget {
    static constexpr quint16 kDefaultPort = 123;

    QString hostName;
    quint16 port = kDefaultPort;
    int index = -1;

    // "host", "host:port", "[IPv6 address]", "[IPv6 address]:port" or a bare IPv6 address;
    // nothing for an empty host or a port that is not a number from 1 to 65535.
    static std::optional<SntpTarget> parse(const QString& text);

    // The host, with ":port" when the port is not 123 (an IPv6 address then in brackets).
    QString displayName() const;
};
