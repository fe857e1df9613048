#pragma once

#include "platform/CpuTimesSource.h"
#include "platform/linux/KeptOpenFile.h"
#include "platform/linux/SharedSystemFile.h"

#include <functional>
#include <memory>

// Idle time from the aggregate "cpu" line of /proc/stat (idle + iowait), processors from
// /sys/devices/system/cpu/online, time from the monotonic clock.
class LinuxCpuTimes : public CpuTimesSource {
public:
    using Clock = std::function<qint64()>;  // 100-ns counts

    explicit LinuxCpuTimes(const SystemFiles& files, Clock clock = monotonicClock);
    // Shares the reading of /proc/stat with other sources of the same sample.
    LinuxCpuTimes(const SystemFiles& files, std::shared_ptr<SharedSystemFile> stat,
                  Clock clock = monotonicClock);

    std::optional<int> processorCount() override;
    std::optional<qint64> idleTime(SampleReader& reader) override;
    std::optional<qint64> currentTime() override;

    // How much of /proc/stat is read: the processor lines of far more processors than are read.
    static constexpr qsizetype kStatBytes = 256 * 1024;

    static qint64 monotonicClock();
    // Idle + iowait of the aggregate line of a /proc/stat text, in clock ticks.
    static std::optional<quint64> parseIdleTicks(const QByteArray& stat);
    // The number of processors in a CPU list such as "0-3,6,8-9".
    static std::optional<int> parseCpuList(const QByteArray& list);

private:
    Clock clock_;
    qint64 ticksPerSecond_;
    std::shared_ptr<SharedSystemFile> stat_;
    KeptOpenFile online_;
    QByteArray onlineBuffer_;
};
