#include "stats/ActivityMeters.h"

#include "stats/CpuTemperature.h"

namespace {
std::function<std::optional<qint64>()> clockOf(const std::shared_ptr<CpuTimesSource>& times) {
    return [times]() -> std::optional<qint64> { return times ? times->currentTime() : std::nullopt; };
}
}  // namespace

ActivityMeters::ActivityMeters(const SystemSources& sources)
    : temperatures_(sources.temperatures),
      cores_(sources.coreTimes),
      disks_(sources.disks, clockOf(sources.cpuTimes)),
      network_(sources.network, clockOf(sources.cpuTimes)) {}

std::optional<TemperatureReading> ActivityMeters::temperature() {
    if (!temperatures_) {
        return std::nullopt;
    }
    return CpuTemperature::pick(temperatures_->readings());
}
