#pragma once

#include "platform/CpuTimesSource.h"
#include "platform/linux/SystemFiles.h"

#include <functional>

// Idle time from the aggregate "cpu" line of /proc/stat (idle + iowait), processors from
// /sys/devices/system/cpu/online, time from the monotonic clock.
class LinuxCpuTimes : public CpuTimesSource {
public:
    using Clock = std::function<qint64()>;  // 100-ns counts

    explicit LinuxCpuTimes(SystemFiles files, Clock clock = monotonicClock);

    std::optional<int> processorCount() override;
    std::optional<qint64> idleTime() override;
    std::optional<qint64> currentTime() override;

    static qint64 monotonicClock();
    // Idle + iowait of the aggregate line of a /proc/stat text, in clock ticks.
    static std::optional<quint64> parseIdleTicks(const QByteArray& stat);
    // The number of processors in a CPU list such as "0-3,6,8-9".
    static std::optional<int> parseCpuList(const QByteArray& list);

private:
    SystemFiles files_;
    Clock clock_;
    qint64 ticksPerSecond_;
    QByteArray buffer_;
};
