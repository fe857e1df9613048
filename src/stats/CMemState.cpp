#include "stats/CMemState.h"

CMemState::CMemState(std::shared_ptr<MemoryStatusSource> source) : source_(std::move(source)) {}

const MemoryStatus& CMemState::refresh() {
    status_ = MemoryStatus{};
    if (source_) {
        if (const std::optional<MemoryStatus> status = source_->read()) {
            status_ = *status;
        }
    }
    return status_;
}

double CMemState::TotalPhysical() {
    return static_cast<double>(refresh().totalPhys);
}
double CMemState::AvailPhysical() {
    return static_cast<double>(refresh().availPhys);
}
double CMemState::TotalPageFile() {
    return static_cast<double>(refresh().totalPageFile);
}
double CMemState::AvailPageFile() {
    return static_cast<double>(refresh().availPageFile);
}
double CMemState::TotalVirtual() {
    return static_cast<double>(refresh().totalVirtual);
}
double CMemState::AvailVirtual() {
    return static_cast<double>(refresh().availVirtual);
}
qint32 CMemState::MemoryLoad() {
    return static_cast<qint32>(refresh().memoryLoad);
}
