#include "stats/CoreLoadMeter.h"

#include "platform/RoundHalfToEven.h"

#include <algorithm>

std::optional<QList<CoreLoad>> CoreLoadMeter::query() {
    const std::optional<QList<CoreTicks>> ticks = source_ ? source_->coreTicks(reader_) : std::nullopt;
    if (!ticks) {
        return std::nullopt;
    }
    QHash<int, Previous> current;
    current.reserve(ticks->size());
    QList<CoreLoad> cores;
    cores.reserve(ticks->size());
    for (const CoreTicks& core : *ticks) {
        Previous now{core.busy, core.total - std::min(core.busy, core.total), std::nullopt};
        const auto before = previous_.constFind(core.cpu);
        // Busy time never drops while a core lives; idle time may (iowait is not monotonic), and
        // then counts as none.
        if (before != previous_.constEnd() && now.busy >= before->busy) {
            const quint64 busy = now.busy - before->busy;
            const quint64 idle = now.idle > before->idle ? now.idle - before->idle : 0;
            if (busy + idle > 0) {
                const double share = double(busy) * 100.0 / double(busy + idle);
                now.percent = qint16(std::clamp(roundHalfToEven(share), 0.0, 100.0));
            } else {
                now = *before;  // read again within one tick: the last share stands
            }
        }
        current.insert(core.cpu, now);
        cores.append(CoreLoad{core.cpu, now.percent});
    }
    previous_ = std::move(current);  // cores gone offline are forgotten
    return cores;
}

std::optional<CoreLoad> CoreLoadMeter::busiest(const QList<CoreLoad>& cores) {
    std::optional<CoreLoad> top;
    for (const CoreLoad& core : cores) {
        if (core.percent && (!top || *core.percent > *top->percent)) {
            top = core;
        }
    }
    return top;
}
