#pragma once

#include "timesync/HostResolver.h"

// The system's resolver for the records' IpAddr: the first IPv4 address as dotted text (an IPv6
// address when the host has none). Window events other than user input keep running meanwhile.
class SystemHostResolver : public HostResolver {
public:
    QString resolveHostAddress(const QString& hostName) const override;
};
