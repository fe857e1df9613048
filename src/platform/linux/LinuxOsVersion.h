#pragma once

#include "platform/OsVersionSource.h"

// Linux answers as a current member of the NT-like family: every capability the version checks
// look for (process counting, translucent windows, a late build) is there, and no emulation layer.
class LinuxOsVersion : public OsVersionSource {
public:
    std::optional<OsVersion> version() override;
    bool isWow64() override { return false; }
};
