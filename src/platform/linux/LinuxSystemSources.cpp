#include "platform/SystemSources.h"

#include "platform/linux/LinuxCoreTimes.h"
#include "platform/linux/LinuxCpuTimes.h"
#include "platform/linux/LinuxDiskActivity.h"
#include "platform/linux/LinuxFileSystemSpace.h"
#include "platform/linux/LinuxMemoryStatus.h"
#include "platform/linux/LinuxMountTable.h"
#include "platform/linux/LinuxNetworkCounters.h"
#include "platform/linux/LinuxOsVersion.h"
#include "platform/linux/LinuxPowerStatus.h"
#include "platform/linux/LinuxProcessCounter.h"
#include "platform/linux/LinuxProcessorValues.h"
#include "platform/linux/LinuxTemperatures.h"
#include "platform/linux/StatDeviceNumberLookup.h"

SystemSources SystemSources::linux(const QString& root) {
    const SystemFiles files(root);
    SystemSources sources;
    sources.memory = std::make_shared<LinuxMemoryStatus>(files);
    sources.power = std::make_shared<LinuxPowerStatus>(files);
    // The total and the per-core CPU figures of one sample come from one reading of /proc/stat.
    const auto stat =
        std::make_shared<SharedSystemFile>(files, QStringLiteral("/proc/stat"), LinuxCoreTimes::kStatBytes);
    sources.cpuTimes = std::make_shared<LinuxCpuTimes>(stat);
    sources.mounts =
        std::make_shared<LinuxMountTable>(files, std::make_shared<StatDeviceNumberLookup>(files));
    sources.space = std::make_shared<LinuxFileSystemSpace>();
    sources.processes = std::make_shared<LinuxProcessCounter>(files);
    sources.systemValues = std::make_shared<LinuxProcessorValues>(files);
    sources.osVersion = std::make_shared<LinuxOsVersion>();
    sources.coreTimes = std::make_shared<LinuxCoreTimes>(stat);
    sources.disks = std::make_shared<LinuxDiskActivity>(files);
    sources.network = std::make_shared<LinuxNetworkCounters>(files);
    sources.temperatures = std::make_shared<LinuxTemperatures>(files);
    return sources;
}
