#include "stats/clsCPUUsage.h"

clsCPUUsage::clsCPUUsage(std::unique_ptr<KernelCpuCounter> counter) : counter_(std::move(counter)) {}

clsCPUUsage::~clsCPUUsage() {
    if (dataOpen_) {
        counter_->closeData();
    }
}

void clsCPUUsage::Initialize() {
    if (!counter_ || dataOpen_ || !counter_->start()) {
        return;
    }
    dataOpen_ = counter_->openData();
}

qint32 clsCPUUsage::Query() {
    queryFailed_ = true;
    if (dataOpen_) {
        if (const std::optional<quint32> value = counter_->readData()) {
            value_ = *value;
            queryFailed_ = false;
        }
    }
    return static_cast<qint32>(value_);
}

void clsCPUUsage::Terminate() {
    if (!counter_) {
        return;
    }
    if (dataOpen_) {
        counter_->closeData();
        dataOpen_ = false;
    }
    counter_->stop();
}
