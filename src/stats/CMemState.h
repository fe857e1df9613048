#pragma once

#include "platform/MemoryStatusSource.h"

#include <memory>

// Memory figures for display (the monitor window's balloons). Every property reads the figures
// afresh; a failed read gives zeros. Counts are bytes as doubles (exact up to 8 PB).
class CMemState {
public:
    explicit CMemState(std::shared_ptr<MemoryStatusSource> source);

    double TotalPhysical();
    double AvailPhysical();
    double TotalPageFile();  // swap
    double AvailPageFile();
    double TotalVirtual();  // RAM + swap
    double AvailVirtual();
    qint32 MemoryLoad();  // percent of RAM in use

private:
    const MemoryStatus& refresh();

    std::shared_ptr<MemoryStatusSource> source_;
    MemoryStatus status_;
};
