#pragma once

#include <QString>

// A separate source of the processor's name and raw speed text ("2400 MHz", "2.4 GHz"), asked
// when the system values give no name. Linux has none beyond the system values, so only tests
// implement this.
class ProcessorInfoLibrary {
public:
    virtual ~ProcessorInfoLibrary() = default;
    // The raw answers, as the library fills its buffers (they may hold NULs and trailing junk).
    virtual QString processorName() = 0;
    virtual QString rawSpeed() = 0;
};
