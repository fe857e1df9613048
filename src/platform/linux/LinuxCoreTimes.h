#pragma once

#include "platform/CoreTimesSource.h"
#include "platform/linux/SystemFiles.h"

// Per-processor times from the "cpuN" lines of /proc/stat. Offline processors have no line.
class LinuxCoreTimes : public CoreTimesSource {
public:
    explicit LinuxCoreTimes(SystemFiles files) : files_(std::move(files)) {}
    std::optional<QList<CoreTicks>> coreTicks() override;

    // More processors than this are not read: the file stays small to parse.
    static constexpr int kMostCores = 4096;
    // The "cpuN" lines of a /proc/stat text in ascending order; a malformed or cut-off line is
    // left out. Nothing when the text has no such line.
    static std::optional<QList<CoreTicks>> parse(const QByteArray& stat);

private:
    SystemFiles files_;
    QByteArray buffer_;
};
