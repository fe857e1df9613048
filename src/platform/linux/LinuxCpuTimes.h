#pragma once

#include "platform/CpuTimesSource.h"
#include "platform/linux/SharedSystemFile.h"

#include <functional>
#include <memory>

// Idle time from the aggregate "cpu" line of /proc/stat (idle + iowait), processors online from the
// per-processor lines after it, time from the monotonic clock.
class LinuxCpuTimes : public CpuTimesSource {
public:
    using Clock = std::function<qint64()>;  // 100-ns counts

    explicit LinuxCpuTimes(const SystemFiles& files, Clock clock = monotonicClock);
    // Shares the reading of /proc/stat with other sources of the same sample.
    explicit LinuxCpuTimes(std::shared_ptr<SharedSystemFile> stat, Clock clock = monotonicClock);

    std::optional<CpuIdle> idle(SampleReader& reader) override;
    std::optional<qint64> currentTime() override;

    // How much of /proc/stat is read: the processor lines of far more processors than are read.
    static constexpr qsizetype kStatBytes = 256 * 1024;

    static qint64 monotonicClock();
    // Idle + iowait of the aggregate line of a /proc/stat text, in clock ticks.
    static std::optional<quint64> parseIdleTicks(const QByteArray& stat);
    // The number of "cpuN" lines after the aggregate line; nothing when there is none or the text
    // was cut short among them.
    static std::optional<int> parseProcessorCount(const QByteArray& stat);

private:
    Clock clock_;
    qint64 ticksPerSecond_;
    std::shared_ptr<SharedSystemFile> stat_;
};
