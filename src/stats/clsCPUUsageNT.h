#pragma once

#include "platform/CpuTimesSource.h"
#include "stats/CpuMeter.h"

#include <memory>
#include <optional>

// The CPU meter of the NT-like family (Linux): usage from the idle time of all processors over the
// elapsed time. Times are 100-ns counts handled as fixed-point numbers with four decimals (the count
// scaled by 1/10000); every ratio is rounded to four decimals, halves to even, and the answer is the
// floor of 100 - ratio x 100 / processors. A query less than a quarter of a second after the
// previous reading (or after Initialize) answers the previous reading, or none at first.
class clsCPUUsageNT : public CpuMeter {
public:
    explicit clsCPUUsageNT(std::shared_ptr<CpuTimesSource> source);

    void Initialize() override;
    qint32 Query() override;
    void Terminate() override {}
    bool queryFailed() const override { return queryFailed_; }

    // The answer for the given differences of raw 100-ns counts; exposed for tests.
    static qint32 usage(qint64 idleDelta, qint64 timeDelta, int processors);

private:
    std::shared_ptr<CpuTimesSource> source_;
    SampleReader reader_;
    qint64 lastIdleTime_ = 0;
    qint64 lastSystemTime_ = 0;
    bool queryFailed_ = false;
    std::optional<qint32> lastAnswer_;
};
