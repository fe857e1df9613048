#pragma once

#include <QString>

// The server used until the user picks another: an anycast service of the built-in list that answers
// from sites all over the world and does not smear leap seconds.
inline QString defaultTimeServerHost() {
    return QStringLiteral("time.cloudflare.com");
}
