#pragma once

#include "platform/MemoryStatusSource.h"
#include "platform/linux/KeptOpenFile.h"

// Memory figures from /proc/meminfo: load = (MemTotal - MemAvailable) / MemTotal, swap as the page
// file, RAM + swap as virtual memory.
class LinuxMemoryStatus : public MemoryStatusSource {
public:
    explicit LinuxMemoryStatus(const SystemFiles& files) : meminfo_(files, QStringLiteral("/proc/meminfo")) {}
    std::optional<MemoryStatus> read() override;

    // The figures of a /proc/meminfo text; nothing when MemTotal is missing, zero or garbage.
    static std::optional<MemoryStatus> parse(const QByteArray& meminfo);

private:
    KeptOpenFile meminfo_;
    QByteArray buffer_;
};
