#pragma once

#include "app/ThresholdReadings.h"

#include "stats/ActivityMeters.h"

#include <memory>

class CpuMeter;
class SystemInfoModule;

// The threshold check's values, read from the statistics module with the controller's CPU meter.
class LiveReadings : public ThresholdReadings {
public:
    LiveReadings(SystemInfoModule& stats, CpuMeter*& cpuMeter) : stats_(stats), cpuMeter_(cpuMeter) {}

    void refresh() override;
    std::optional<int> value(StatisticItem item) override;
    QList<QChar> fixedDrives() override;
    std::optional<int> driveUsage(QChar letter) override;
    QString mountPoint(QChar letter) override;
    std::optional<ActivityValue> activityValue(ActivityItem item) override;

private:
    std::unique_ptr<ActivityMeters> activity_;  // made at the first check that needs it
    SystemInfoModule& stats_;
    CpuMeter*& cpuMeter_;
};
