#pragma once

#include "platform/CoreTimesSource.h"
#include "platform/linux/SharedSystemFile.h"

#include <memory>

// Per-processor times from the "cpuN" lines of /proc/stat. Offline processors have no line.
class LinuxCoreTimes : public CoreTimesSource {
public:
    explicit LinuxCoreTimes(const SystemFiles& files);
    // Shares the reading of /proc/stat with the total CPU figure of the same sample.
    explicit LinuxCoreTimes(std::shared_ptr<SharedSystemFile> stat) : stat_(std::move(stat)) {}
    std::optional<QList<CoreTicks>> coreTicks(SampleReader& reader) override;

    // More processors than this are not read: the file stays small to parse.
    static constexpr int kMostCores = 4096;
    // The processor lines come first; this holds them for far more processors than kMostCores.
    static constexpr qsizetype kStatBytes = 256 * 1024;
    // The "cpuN" lines of a /proc/stat text in ascending order; a malformed or cut-off line is
    // left out. Nothing when the text has no such line.
    static std::optional<QList<CoreTicks>> parse(const QByteArray& stat);

private:
    std::shared_ptr<SharedSystemFile> stat_;
};
