#pragma once

#include "platform/ProcessCounter.h"
#include "platform/linux/SystemFiles.h"

// Processes are the numeric folders of /proc; threads the scheduling entities that /proc/loadavg
// counts (its fourth field, "running/total").
class LinuxProcessCounter : public ProcessCounter {
public:
    explicit LinuxProcessCounter(SystemFiles files) : files_(std::move(files)) {}
    std::optional<ProcessCounts> count() override;

private:
    SystemFiles files_;
};
