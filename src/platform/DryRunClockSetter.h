#pragma once

#include "platform/ClockSetter.h"

// Leaves the clock alone and says so; chosen by --dry-run.
class DryRunClockSetter : public ClockSetter {
public:
    void adjustClock(qint64 offsetMicroseconds, Done done) override;

    static QString message() { return QStringLiteral("Clock not changed (dry run)"); }
};
