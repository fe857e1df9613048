#include "platform/linux/LinuxCoreTimes.h"

#include "platform/linux/DecimalFields.h"

#include <limits>

namespace {

// Sums without wrapping: nothing when the fields of a line cannot be real counters.
bool add(quint64& sum, quint64 value) {
    if (sum > std::numeric_limits<quint64>::max() - value) {
        return false;
    }
    sum += value;
    return true;
}

// "cpuN user nice system idle iowait irq softirq steal guest guest_nice": guest time is already
// part of user and nice, so it is not counted again. Kernels before 2.6 stop after idle.
std::optional<CoreTicks> parseLine(const QByteArray& stat, qsizetype at, qsizetype end) {
    at += 3;  // "cpu"
    const std::optional<quint64> cpu = DecimalFields::next(stat, at, end);
    if (!cpu || *cpu >= quint64(LinuxCoreTimes::kMostCores)) {
        return std::nullopt;
    }
    CoreTicks ticks;
    ticks.cpu = int(*cpu);
    quint64 idle = 0;
    for (int field = 0; field < 8; ++field) {
        DecimalFields::skipBlanks(stat, at, end);
        if (at == end) {
            if (field < 4) {
                return std::nullopt;
            }
            break;
        }
        const std::optional<quint64> value = DecimalFields::next(stat, at, end);
        if (!value) {
            return std::nullopt;
        }
        const bool idleField = field == 3 || field == 4;
        if (!add(idleField ? idle : ticks.busy, *value)) {
            return std::nullopt;
        }
    }
    ticks.total = ticks.busy;
    if (!add(ticks.total, idle)) {
        return std::nullopt;
    }
    return ticks;
}

}  // namespace

LinuxCoreTimes::LinuxCoreTimes(const SystemFiles& files)
    : stat_(std::make_shared<SharedSystemFile>(files, QStringLiteral("/proc/stat"), kStatBytes)) {}

std::optional<QList<CoreTicks>> LinuxCoreTimes::coreTicks(SampleReader& reader) {
    const QByteArray* stat = stat_->read(reader);
    if (stat == nullptr) {
        return std::nullopt;
    }
    return parse(*stat);
}

std::optional<QList<CoreTicks>> LinuxCoreTimes::parse(const QByteArray& stat) {
    QList<CoreTicks> cores;
    qsizetype at = 0;
    while (at < stat.size()) {
        const qsizetype end = stat.indexOf('\n', at);
        if (end < 0) {
            break;  // cut off: the last line may be incomplete
        }
        const bool cpuLine = end - at > 3 && stat[at] == 'c' && stat[at + 1] == 'p' && stat[at + 2] == 'u';
        if (!cpuLine && !cores.isEmpty()) {
            break;  // the processor lines are over
        }
        if (cpuLine && stat[at + 3] >= '0' && stat[at + 3] <= '9') {
            const std::optional<CoreTicks> line = parseLine(stat, at, end);
            if (line && (cores.isEmpty() || line->cpu > cores.last().cpu)) {
                cores.append(*line);
            }
        }
        at = end + 1;
    }
    if (cores.isEmpty()) {
        return std::nullopt;
    }
    return cores;
}
