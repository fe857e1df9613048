#pragma once

#include "platform/MemoryStatusSource.h"
#include "platform/linux/SystemFiles.h"

// Memory figures from /proc/meminfo: load = (MemTotal - MemAvailable) / MemTotal, swap as the page
// file, RAM + swap as virtual memory.
class LinuxMemoryStatus : public MemoryStatusSource {
public:
    explicit LinuxMemoryStatus(SystemFiles files) : files_(std::move(files)) {}
    std::optional<MemoryStatus> read() override;

    // The figures of a /proc/meminfo text; nothing when MemTotal is missing, zero or garbage.
    static std::optional<MemoryStatus> parse(const QByteArray& meminfo);

private:
    SystemFiles files_;
    QByteArray buffer_;
};
