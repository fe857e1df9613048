// /proc/diskstats: whole disks and their busy time.
#include "FuzzCheck.h"
#include "platform/linux/LinuxDiskActivity.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray text(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QList<DiskTicks> disks = LinuxDiskActivity::parse(text);
    for (const DiskTicks& disk : disks) {
        FUZZ_CHECK(!disk.name.isEmpty() && !disk.name.contains(QLatin1Char(' ')));
        FUZZ_CHECK(!disk.name.startsWith(QLatin1String("loop")));
        const QString owner = LinuxDiskActivity::diskOfPartition(disk.name);
        FUZZ_CHECK(owner.isEmpty() || std::none_of(disks.begin(), disks.end(), [&](const DiskTicks& other) {
                       return other.name == owner;
                   }));
    }
    return 0;
}
