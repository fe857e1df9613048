#pragma once

#include <QtGlobal>
#include <optional>

// The kernel CPU-usage counter of the old consumer family, kept in its dynamic performance store.
// Linux has no such counter; only tests implement this.
class KernelCpuCounter {
public:
    virtual ~KernelCpuCounter() = default;
    // Opens the start key and reads the counter once, which starts it; false when it cannot open.
    virtual bool start() = 0;
    // Opens the data key for the reads that follow; false when it cannot open.
    virtual bool openData() = 0;
    // Reads the counter from the data key: percent busy.
    virtual std::optional<quint32> readData() = 0;
    virtual void closeData() = 0;
    // Opens the stop key and reads the counter, which stops it; false when it cannot open.
    virtual bool stop() = 0;
};
