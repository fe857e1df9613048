#include "stats/clsCPUUsageNT.h"

#include "stats/FixedPoint4.h"

#include <limits>

clsCPUUsageNT::clsCPUUsageNT(std::shared_ptr<CpuTimesSource> source) : source_(std::move(source)) {}

void clsCPUUsageNT::Initialize() {
    if (!source_) {
        return;
    }
    const std::optional<qint64> now = source_->currentTime();
    if (!now) {
        return;
    }
    const std::optional<qint64> idle = source_->idleTime();
    if (!idle) {
        return;
    }
    lastIdleTime_ = *idle;
    lastSystemTime_ = *now;
}

qint32 clsCPUUsageNT::Query() {
    queryFailed_ = true;
    if (!source_) {
        return -1;
    }
    const std::optional<int> processors = source_->processorCount();
    if (!processors || *processors < 1) {
        return -1;
    }
    const std::optional<qint64> now = source_->currentTime();
    if (!now) {
        return -1;
    }
    const std::optional<qint64> idle = source_->idleTime();
    if (!idle) {
        return -1;
    }
    const qint64 idleDelta = *idle - lastIdleTime_;
    const qint64 timeDelta = *now - lastSystemTime_;
    lastIdleTime_ = *idle;
    lastSystemTime_ = *now;
    // A counter that went backwards (the kernel's idle accounting can step back) measures
    // nothing: start over from here rather than report a usage above 100 %.
    if (idleDelta < 0 || timeDelta < 0) {
        return -1;
    }
    queryFailed_ = false;
    return usage(idleDelta, timeDelta, *processors);
}

qint32 clsCPUUsageNT::usage(qint64 idleDelta, qint64 timeDelta, int processors) {
    const FixedPoint4 idle = FixedPoint4::fromRaw(idleDelta);
    const FixedPoint4 time = FixedPoint4::fromRaw(timeDelta);
    const FixedPoint4 ratio = time.isZero() ? idle : idle / time;
    const FixedPoint4 answer = FixedPoint4::fromInteger(100) - (ratio * 100) / processors;
    const qint64 whole = answer.floor();
    if (whole < std::numeric_limits<qint32>::min()) {
        return std::numeric_limits<qint32>::min();
    }
    if (whole > std::numeric_limits<qint32>::max()) {
        return std::numeric_limits<qint32>::max();
    }
    return static_cast<qint32>(whole);
}
