#include "stats/clsCPUUsageNT.h"

#include "stats/FixedPoint4.h"

#include <limits>

namespace {
// The kernel counts idle time in scheduler ticks of 10 ms: over a shorter span than this a reading
// is mostly rounding (a query just after Initialize gives 0 % or 100 %), so it is no reading.
constexpr qint64 kShortestSpan = 2'500'000;  // 0.25 s in 100-ns counts
}  // namespace

clsCPUUsageNT::clsCPUUsageNT(std::shared_ptr<CpuTimesSource> source) : source_(std::move(source)) {}

void clsCPUUsageNT::Initialize() {
    if (!source_) {
        return;
    }
    const std::optional<qint64> now = source_->currentTime();
    if (!now) {
        return;
    }
    const std::optional<CpuIdle> idle = source_->idle(reader_);
    if (!idle) {
        return;
    }
    lastIdleTime_ = idle->time;
    lastSystemTime_ = *now;
}

qint32 clsCPUUsageNT::Query() {
    queryFailed_ = true;
    if (!source_) {
        return -1;
    }
    const std::optional<qint64> now = source_->currentTime();
    if (!now) {
        return -1;
    }
    const std::optional<CpuIdle> idle = source_->idle(reader_);
    if (!idle || idle->processors < 1) {
        return -1;
    }
    const qint64 idleDelta = idle->time - lastIdleTime_;
    const qint64 timeDelta = *now - lastSystemTime_;
    // A counter that went backwards (the kernel's idle accounting can step back) measures
    // nothing: start over from here rather than report a usage above 100 %.
    if (idleDelta < 0 || timeDelta < 0) {
        lastIdleTime_ = idle->time;
        lastSystemTime_ = *now;
        return -1;
    }
    // Too short a span: keep measuring from the older baseline and answer the previous reading.
    if (timeDelta < kShortestSpan) {
        queryFailed_ = !lastAnswer_.has_value();
        return lastAnswer_.value_or(-1);
    }
    lastIdleTime_ = idle->time;
    lastSystemTime_ = *now;
    queryFailed_ = false;
    lastAnswer_ = usage(idleDelta, timeDelta, idle->processors);
    return *lastAnswer_;
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
