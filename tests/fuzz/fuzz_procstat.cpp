// /proc/stat's aggregate line and its count of processor lines.
#include "FuzzCheck.h"
#include "platform/linux/LinuxCpuTimes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray text(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    LinuxCpuTimes::parseIdleTicks(text);
    if (const auto processors = LinuxCpuTimes::parseProcessorCount(text)) {
        FUZZ_CHECK(*processors > 0);
    }
    return 0;
}
