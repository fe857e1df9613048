#pragma once

#include "platform/CoreTimesSource.h"
#include "platform/CpuTimesSource.h"
#include "platform/DiskActivitySource.h"
#include "platform/FileSystemSpace.h"
#include "platform/FreeResourcesSource.h"
#include "platform/KernelCpuCounter.h"
#include "platform/MemoryStatusSource.h"
#include "platform/MountTableSource.h"
#include "platform/NetworkCountersSource.h"
#include "platform/OsVersionSource.h"
#include "platform/PowerStatusSource.h"
#include "platform/ProcessCounter.h"
#include "platform/ProcessorInfoLibrary.h"
#include "platform/SystemValueReader.h"
#include "platform/TemperatureSource.h"

#include <QString>
#include <functional>
#include <memory>

// Every platform source the statistics read, in one bundle. A null member means the platform has
// no such source: the statistics that depend on it are unavailable.
struct SystemSources {
    std::shared_ptr<MemoryStatusSource> memory;
    std::shared_ptr<PowerStatusSource> power;
    std::shared_ptr<CpuTimesSource> cpuTimes;
    std::shared_ptr<MountTableSource> mounts;
    std::shared_ptr<FileSystemSpace> space;
    std::shared_ptr<ProcessCounter> processes;
    std::shared_ptr<SystemValueReader> systemValues;
    std::shared_ptr<ProcessorInfoLibrary> processorLibrary;  // none on Linux
    std::shared_ptr<OsVersionSource> osVersion;
    std::shared_ptr<FreeResourcesSource> freeResources;  // none on Linux
    // Makes the counter for one old-family CPU meter; none on Linux.
    std::function<std::unique_ptr<KernelCpuCounter>()> kernelCpuCounter;
    // The activity items beyond the classic ones: per-core times, disks, network, temperatures.
    std::shared_ptr<CoreTimesSource> coreTimes;
    std::shared_ptr<DiskActivitySource> disks;
    std::shared_ptr<NetworkCountersSource> network;
    std::shared_ptr<TemperatureSource> temperatures;

    // The Linux backends, reading /proc and /sys below the root folder ("/" for the real system).
    static SystemSources linux(const QString& root = QStringLiteral("/"));
};
