// /proc/meminfo: whatever the figures, the result is a consistent memory status.
#include "FuzzCheck.h"
#include "platform/linux/LinuxMemoryStatus.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray text(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (const auto status = LinuxMemoryStatus::parse(text)) {
        FUZZ_CHECK(status->memoryLoad <= 100);
        FUZZ_CHECK(status->availPhys <= status->totalPhys);
        FUZZ_CHECK(status->availPageFile <= status->totalPageFile);
        FUZZ_CHECK(status->availVirtual <= status->totalVirtual);
    }
    return 0;
}
