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
    : LinuxCpuTimes(std::make_shared<SharedSystemFile>(files, QStringLiteral("/proc/stat"), kStatBytes),
                    std::move(clock)) {}

LinuxCpuTimes::LinuxCpuTimes(std::shared_ptr<SharedSystemFile> stat, Clock clock)
    : clock_(std::move(clock)), ticksPerSecond_(::sysconf(_SC_CLK_TCK)), stat_(std::move(stat)) {
    if (ticksPerSecond_ <= 0) {
        ticksPerSecond_ = 100;
    }
}

qint64 LinuxCpuTimes::monotonicClock() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<qint64>(now.tv_sec) * kCountsPerSecond + now.tv_nsec / 100;
}

std::optional<CpuIdle> LinuxCpuTimes::idle(SampleReader& reader) {
    // The aggregate line comes first; the per-CPU lines after it are for the per-core figures.
    const QByteArray* stat = stat_->read(reader);
    if (stat == nullptr) {
        return std::nullopt;
    }
    const std::optional<quint64> ticks = parseIdleTicks(*stat);
    const std::optional<int> processors = parseProcessorCount(*stat);
    if (!ticks || !processors ||
        *ticks > static_cast<quint64>(std::numeric_limits<qint64>::max() / kCountsPerSecond)) {
        return std::nullopt;
    }
    // Ticks to 100-ns counts without losing the fraction of odd tick rates.
    const auto perTick = static_cast<qint64>(*ticks);
    return CpuIdle{perTick / ticksPerSecond_ * kCountsPerSecond +
                       perTick % ticksPerSecond_ * kCountsPerSecond / ticksPerSecond_,
                   *processors};
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

std::optional<int> LinuxCpuTimes::parseProcessorCount(const QByteArray& stat) {
    // The kernel lists a line per processor online, right after the aggregate line.
    int count = 0;
    for (qsizetype lineEnd = stat.indexOf('\n'); lineEnd >= 0;) {
        const qsizetype line = lineEnd + 1;
        if (line + 3 >= stat.size() || QByteArrayView(stat).sliced(line, 3) != "cpu" ||
            !isDigit(stat[line + 3])) {
            break;
        }
        lineEnd = stat.indexOf('\n', line);
        if (lineEnd < 0) {
            return std::nullopt;  // cut short: more processors may follow
        }
        ++count;
    }
    if (count == 0) {
        return std::nullopt;
    }
    return count;
}
