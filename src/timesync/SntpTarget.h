#pragma once

#include "timesync/TimeServerAddress.h"

#include <QString>
#include <optional>

// Where one SNTP request goes: a host, a port and the position of the host's record in the
// built-in table (-1 when the host is not in it: nothing learned about it is kept).
struct SntpTarget {
    static constexpr quint16 kDefaultPort = TimeServerAddress::kDefaultPort;

    QString hostName;
    quint16 port = kDefaultPort;
    int index = -1;

    // A server as parseTimeServerAddress reads it; nothing where that refuses the text.
    static std::optional<SntpTarget> parse(const QString& text);

    // The host, with ":port" when the port is not 123 (an IPv6 address then in brackets).
    QString displayName() const;
};
