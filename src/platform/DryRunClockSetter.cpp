#include "platform/DryRunClockSetter.h"

void DryRunClockSetter::adjustClock(qint64, Done done) {
    done({ClockSetResult::Outcome::NotChanged, message()});
}
