#include "platform/ClockSetter.h"

#include "platform/DryRunClockSetter.h"
#include "platform/linux/LinuxClockSetter.h"

std::unique_ptr<ClockSetter> makeClockSetter(bool dryRun) {
    if (dryRun) {
        return std::make_unique<DryRunClockSetter>();
    }
    return std::make_unique<LinuxClockSetter>();
}
