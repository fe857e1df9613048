#include "stats/DiskBusyMeter.h"

#include "platform/RoundHalfToEven.h"

#include <algorithm>

std::optional<DiskBusy> DiskBusyMeter::query() {
    const std::optional<QList<DiskTicks>> disks = source_ ? source_->diskTicks(reader_) : std::nullopt;
    const std::optional<qint64> now = clock_ ? clock_() : std::nullopt;
    available_ = disks && !disks->isEmpty();
    if (!disks || !now) {
        return std::nullopt;
    }
    if (previousTime_ && *now <= *previousTime_) {
        return last_;  // read twice within one clock step: nothing new to measure
    }
    const std::optional<qint64> before = std::exchange(previousTime_, now);
    QHash<QString, quint64> current;
    current.reserve(disks->size());
    std::optional<DiskBusy> busiest;
    const double elapsedMs = before ? double(*now - *before) / 10'000.0 : 0.0;
    for (const DiskTicks& disk : *disks) {
        current.insert(disk.name, disk.busyMilliseconds);
        const auto last = previous_.constFind(disk.name);
        if (elapsedMs <= 0 || last == previous_.constEnd() || disk.busyMilliseconds < *last) {
            continue;
        }
        // The kernel's tick can put a little more busy time into an interval than it lasted.
        const double share = double(disk.busyMilliseconds - *last) * 100.0 / elapsedMs;
        const auto percent = qint16(std::clamp(roundHalfToEven(share), 0.0, 100.0));
        if (!busiest || percent > busiest->percent) {
            busiest = DiskBusy{disk.name, percent};
        }
    }
    previous_ = std::move(current);
    last_ = busiest;
    return busiest;
}
