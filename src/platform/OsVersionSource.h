#pragma once

#include "platform/SystemRecords.h"

#include <optional>

// The operating system's version record and whether the process runs in an emulation layer.
class OsVersionSource {
public:
    virtual ~OsVersionSource() = default;
    virtual std::optional<OsVersion> version() = 0;
    virtual bool isWow64() = 0;
};
