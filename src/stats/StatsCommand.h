#pragma once

#include <QTextStream>
#include <chrono>

class SystemInfoModule;

// "quorvane --stats": one sample of every statistic, one pop-up-style line each, then the processor
// description and the process and thread counts. Needs no display.
class StatsCommand {
public:
    // The CPU line measures over this interval.
    static constexpr std::chrono::milliseconds kCpuInterval{500};

    // With the real system and the drive letters of the user's settings file. Returns the exit code.
    static int run(QTextStream& out);
    static int run(QTextStream& out, SystemInfoModule& module,
                   std::chrono::milliseconds cpuInterval = kCpuInterval);
};
