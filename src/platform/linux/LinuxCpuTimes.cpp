#include "platform/linux/LinuxCpuTimes.h"

#include <unistd.h>
#include <ctime>
#include <limits>

namespace {

constexpr qint64 kCountsPerSecond = 10'000'000;  // 100-ns counts

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// A decimal number at text[at...], advancing at past it; nothing when there is none or it overflows.
std::optional<quint64> number(const QByteArray& text, qsizetype& at) {
    const qsizetype start = at;
    quint64 value = 0;
    while (at < text.size() && isDigit(text[at])) {
        if (value > (std::numeric_limits<quint64>::max() - 9) / 10) {
            return std::nullopt;
        }
        value = value * 10 + static_cast<quint64>(text[at] - '0');
        ++at;
    }
    if (at == start) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

LinuxCpuTimes::LinuxCpuTimes(const SystemFiles& files, Clock clock)
    : LinuxCpuTimes(files,
                    std::make_shared<SharedSystemFile>(files, QStringLiteral("/proc/stat"), kStatBytes),
                    std::move(clock)) {}

LinuxCpuTimes::LinuxCpuTimes(const SystemFiles& files, std::shared_ptr<SharedSystemFile> stat, Clock clock)
    : clock_(std::move(clock)),
      ticksPerSecond_(::sysconf(_SC_CLK_TCK)),
      stat_(std::move(stat)),
      online_(files, QStringLiteral("/sys/devices/system/cpu/online")) {
    if (ticksPerSecond_ <= 0) {
        ticksPerSecond_ = 100;
    }
}

qint64 LinuxCpuTimes::monotonicClock() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<qint64>(now.tv_sec) * kCountsPerSecond + now.tv_nsec / 100;
}

std::optional<int> LinuxCpuTimes::processorCount() {
    if (!online_.read(onlineBuffer_, 4096)) {
        return std::nullopt;
    }
    return parseCpuList(onlineBuffer_.trimmed());
}

std::optional<qint64> LinuxCpuTimes::idleTime(SampleReader& reader) {
    // The aggregate line comes first; the per-CPU lines after it are for the per-core figures.
    const QByteArray* stat = stat_->read(reader);
    if (stat == nullptr) {
        return std::nullopt;
    }
    const std::optional<quint64> ticks = parseIdleTicks(*stat);
    if (!ticks || *ticks > static_cast<quint64>(std::numeric_limits<qint64>::max() / kCountsPerSecond)) {
        return std::nullopt;
    }
    // Ticks to 100-ns counts without losing the fraction of odd tick rates.
    const auto perTick = static_cast<qint64>(*ticks);
    return perTick / ticksPerSecond_ * kCountsPerSecond +
           perTick % ticksPerSecond_ * kCountsPerSecond / ticksPerSecond_;
}

std::optional<qint64> LinuxCpuTimes::currentTime() {
    return clock_();
}

std::optional<quint64> LinuxCpuTimes::parseIdleTicks(const QByteArray& stat) {
    // "cpu  user nice system idle iowait irq softirq steal guest guest_nice"
    if (!stat.startsWith("cpu ")) {
        return std::nullopt;
    }
    const qsizetype lineEnd = stat.indexOf('\n');
    if (lineEnd < 0) {
        return std::nullopt;  // cut short: the line may be incomplete
    }
    qsizetype at = 3;
    quint64 fields[5] = {};
    for (quint64& field : fields) {
        while (at < lineEnd && stat[at] == ' ') {
            ++at;
        }
        const std::optional<quint64> value = number(stat, at);
        if (!value || (at < lineEnd && stat[at] != ' ')) {
            return std::nullopt;
        }
        field = *value;
    }
    const quint64 idle = fields[3];
    const quint64 iowait = fields[4];
    if (idle > std::numeric_limits<quint64>::max() - iowait) {
        return std::nullopt;
    }
    return idle + iowait;
}

std::optional<int> LinuxCpuTimes::parseCpuList(const QByteArray& list) {
    if (list.isEmpty()) {
        return std::nullopt;
    }
    int count = 0;
    qsizetype at = 0;
    while (at < list.size()) {
        const std::optional<quint64> first = number(list, at);
        if (!first) {
            return std::nullopt;
        }
        quint64 last = *first;
        if (at < list.size() && list[at] == '-') {
            ++at;
            const std::optional<quint64> end = number(list, at);
            if (!end || *end < *first) {
                return std::nullopt;
            }
            last = *end;
        }
        if (last - *first >= 65536 || count + static_cast<int>(last - *first + 1) > 65536) {
            return std::nullopt;
        }
        count += static_cast<int>(last - *first + 1);
        if (at < list.size()) {
            if (list[at] != ',') {
                return std::nullopt;
            }
            ++at;
        }
    }
    return count;
}
