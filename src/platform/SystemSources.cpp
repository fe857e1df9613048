#include "platform/SystemSources.h"

#include "platform/LinuxCpuTimes.h"
#include "platform/LinuxFileSystemSpace.h"
#include "platform/LinuxMemoryStatus.h"
#include "platform/LinuxMountTable.h"
#include "platform/LinuxOsVersion.h"
#include "platform/LinuxPowerStatus.h"
#include "platform/LinuxProcessCounter.h"
#include "platform/LinuxProcessorValues.h"
#include "platform/StatDeviceNumberLookup.h"

SystemSources SystemSources::linux(const QString& root) {
    const SystemFiles files(root);
    SystemSources sources;
    sources.memory = std::make_shared<LinuxMemoryStatus>(files);
    sources.power = std::make_shared<LinuxPowerStatus>(files);
    sources.cpuTimes = std::make_shared<LinuxCpuTimes>(files);
    sources.mounts =
        std::make_shared<LinuxMountTable>(files, std::make_shared<StatDeviceNumberLookup>(files));
    sources.space = std::make_shared<LinuxFileSystemSpace>();
    sources.processes = std::make_shared<LinuxProcessCounter>(files);
    sources.systemValues = std::make_shared<LinuxProcessorValues>(files);
    sources.osVersion = std::make_shared<LinuxOsVersion>();
    return sources;
}
