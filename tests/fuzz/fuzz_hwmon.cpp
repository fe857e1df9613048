// Values of the hwmon temperature files, and the choice of the CPU's sensor among them.
#include "FuzzCheck.h"
#include "platform/linux/LinuxTemperatures.h"
#include "stats/CpuTemperature.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray text(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QList<TemperatureReading> readings;
    for (const QByteArray& line : text.split('\n')) {
        const QList<QByteArray> fields = line.split(' ');  // "chip label value"
        if (const auto milli = LinuxTemperatures::parseMillidegrees(fields.last())) {
            FUZZ_CHECK(*milli >= -60'000 && *milli <= 200'000);
            readings.append(
                {QString::fromLatin1(fields.first()), QString::fromLatin1(fields.value(1)), *milli});
        }
    }
    if (const auto chosen = CpuTemperature::pick(readings)) {
        FUZZ_CHECK(CpuTemperature::isCpuChip(chosen->chip));
    }
    return 0;
}
