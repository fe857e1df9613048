// /proc/net/dev and the link speed files of /sys/class/net.
#include "FuzzCheck.h"
#include "platform/linux/LinuxNetworkCounters.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray text(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const InterfaceBytes& counters : LinuxNetworkCounters::parse(text)) {
        FUZZ_CHECK(!counters.name.isEmpty() && counters.name != QLatin1String("lo"));
    }
    if (const auto megabits = LinuxNetworkCounters::parseSpeed(text)) {
        FUZZ_CHECK(*megabits > 0 && *megabits <= 10'000'000);
    }
    return 0;
}
