#pragma once

#include "platform/KernelCpuCounter.h"
#include "stats/CpuMeter.h"

#include <memory>

// The CPU meter of the old consumer family: reads the kernel's own usage counter, started by
// Initialize and stopped by Terminate. Without a counter (Linux) Initialize fails and Query keeps
// answering its stored value, 0.
class clsCPUUsage : public CpuMeter {
public:
    explicit clsCPUUsage(std::unique_ptr<KernelCpuCounter> counter);
    ~clsCPUUsage() override;

    void Initialize() override;
    qint32 Query() override;
    void Terminate() override;
    bool queryFailed() const override { return queryFailed_; }

private:
    std::unique_ptr<KernelCpuCounter> counter_;
    bool dataOpen_ = false;
    quint32 value_ = 0;
    bool queryFailed_ = false;
};
