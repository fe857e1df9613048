#pragma once

#include "platform/CoreTimesSource.h"

#include <QHash>
#include <QList>
#include <memory>
#include <optional>

// The busy share of one processor since the previous reading.
struct CoreLoad {
    int cpu = 0;
    std::optional<qint16> percent;  // nothing at a core's first reading or after its counters reset
};

// Per-core CPU activity for one owner (a window keeps its own, as with CpuMeter): each query
// measures from the previous one. Cores may go offline and come back; a core whose counters went
// backwards starts afresh instead of giving a negative or absurd share.
class CoreLoadMeter {
public:
    explicit CoreLoadMeter(std::shared_ptr<CoreTimesSource> source) : source_(std::move(source)) {}

    // Every online core in order; nothing when the counters cannot be read.
    std::optional<QList<CoreLoad>> query();
    // The highest share of a list, and its core; nothing when no core has a share.
    static std::optional<CoreLoad> busiest(const QList<CoreLoad>& cores);

private:
    struct Previous {
        quint64 busy = 0;
        quint64 idle = 0;
        std::optional<qint16> percent;  // the last share, again while no tick has passed
    };
    std::shared_ptr<CoreTimesSource> source_;
    SampleReader reader_;
    QHash<int, Previous> previous_;
};
