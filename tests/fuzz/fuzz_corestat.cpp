// The per-processor lines of /proc/stat.
#include "FuzzCheck.h"
#include "platform/linux/LinuxCoreTimes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray text(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (const auto cores = LinuxCoreTimes::parse(text)) {
        FUZZ_CHECK(!cores->isEmpty());
        int previous = -1;
        for (const CoreTicks& core : *cores) {
            FUZZ_CHECK(core.cpu > previous && core.cpu < LinuxCoreTimes::kMostCores);
            FUZZ_CHECK(core.busy <= core.total);
            previous = core.cpu;
        }
    }
    return 0;
}
