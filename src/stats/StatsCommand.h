#pragma once

#include <QTextStream>
#include <chrono>

class SystemInfoModule;

// "quorvane --stats": one sample of every statistic, one pop-up-style line each, the activity
// items, then the processor description and the process and thread counts. With --json, one JSON
// object instead (StatsJson.h). Needs no display.
class StatsCommand {
public:
    enum class Format { Text, Json };
    // The CPU line and the rates measure over this interval; JSON output measures over the shorter
    // one, so that scripts can call it often.
    static constexpr std::chrono::milliseconds kCpuInterval{500};
    static constexpr std::chrono::milliseconds kJsonInterval{250};

    // With the real system and the drive letters of the user's settings file. Returns the exit code.
    static int run(QTextStream& out, Format format = Format::Text);
    static int run(QTextStream& out, SystemInfoModule& module,
                   std::chrono::milliseconds cpuInterval = kCpuInterval, Format format = Format::Text);
};
