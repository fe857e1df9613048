// The files of /sys/class/power_supply, as drivers fill them. The input holds the attribute values of
// two supplies, one a line; they are written into a private tree that the reader then reads.
#include "FuzzCheck.h"
#include "platform/LinuxPowerStatus.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

const char* const kAttributes[] = {"type",         "online",      "status",      "scope",
                                   "present",      "capacity",    "energy_full", "energy_now",
                                   "power_now",    "charge_full", "charge_now",  "current_now",
                                   "voltage_now",  "voltage_min_design"};

const QTemporaryDir& tree() {
    static const QTemporaryDir dir;
    return dir;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QList<QByteArray> values =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)).split('\n');
    qsizetype next = 0;
    for (const char* supply : {"BAT0", "AC"}) {
        const QString folder = tree().path() + QStringLiteral("/sys/class/power_supply/") + QLatin1String(supply);
        QDir().mkpath(folder);
        for (const char* attribute : kAttributes) {
            QFile file(folder + QLatin1Char('/') + QLatin1String(attribute));
            if (next < values.size()) {
                file.open(QIODevice::WriteOnly | QIODevice::Truncate);
                file.write(values[next]);
            } else {
                file.remove();  // a driver that does not offer the attribute
            }
            ++next;
        }
    }
    const auto status = LinuxPowerStatus(SystemFiles(tree().path())).read();
    FUZZ_CHECK(status.has_value());
    FUZZ_CHECK(status->batteryLifePercent <= 100 || status->batteryLifePercent == 255);
    FUZZ_CHECK(status->batteryLifeTime >= -1 && status->batteryFullLifeTime >= -1);
    FUZZ_CHECK(status->acLineStatus <= 1 || status->acLineStatus == 255);
    return 0;
}
