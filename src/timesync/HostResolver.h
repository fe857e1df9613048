#pragma once

#include <QString>

// Turns a host name into the dotted text of its first IPv4 address; empty when the name does not
// resolve. The program installs its real resolver at start-up; until then nothing resolves.
class HostResolver {
public:
    virtual ~HostResolver() = default;
    virtual QString resolveHostAddress(const QString& hostName) const = 0;
};

// The resolver that records ask. Installing nullptr brings back the one that resolves nothing; the
// caller keeps the installed resolver alive while it is installed.
const HostResolver& installedHostResolver();
void installHostResolver(const HostResolver* resolver);
