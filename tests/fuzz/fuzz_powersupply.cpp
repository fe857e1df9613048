// The files of /sys/class/power_supply, as drivers fill them. The input holds the attribute values of
// two supplies, one a line; they are written into a private tree that the reader then reads.
#include "FuzzCheck.h"
#include "platform/linux/LinuxPowerStatus.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

const char* const kAttributeNames[] = {"type",        "online",
                                       "status",      "scope",
                                       "present",     "capacity",
                                       "energy_full", "energy_now",
                                       "power_now",   "charge_full",
                                       "charge_now",  "current_now",
                                       "voltage_now", "voltage_min_design"};

// The tree lives in memory where the system offers it (/dev/shm), and each run writes only the
// files whose value changed: the run rate then stays near that of a parser.
const QTemporaryDir& tree() {
    static const QTemporaryDir dir(QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                       ? QStringLiteral("/dev/shm/quorvane-fuzz-XXXXXX")
                                       : QDir::tempPath() + QStringLiteral("/quorvane-fuzz-XXXXXX"));
    return dir;
}

constexpr int kSupplies = 2;
constexpr int kAttributes = sizeof(kAttributeNames) / sizeof(kAttributeNames[0]);

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static std::optional<QByteArray> written[kSupplies][kAttributes];
    const QList<QByteArray> values =
        QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)).split('\n');
    qsizetype next = 0;
    for (int supply = 0; supply < kSupplies; ++supply) {
        const QString folder = tree().path() + QStringLiteral("/sys/class/power_supply/") +
                               QLatin1String(supply == 0 ? "BAT0" : "AC");
        QDir().mkpath(folder);
        for (int attribute = 0; attribute < kAttributes; ++attribute, ++next) {
            // A missing line is a driver that does not offer the attribute.
            const std::optional<QByteArray> value =
                next < values.size() ? std::optional<QByteArray>(values[next]) : std::nullopt;
            if (value == written[supply][attribute]) {
                continue;
            }
            QFile file(folder + QLatin1Char('/') + QLatin1String(kAttributeNames[attribute]));
            if (value) {
                file.open(QIODevice::WriteOnly | QIODevice::Truncate);
                file.write(*value);
            } else {
                file.remove();
            }
            written[supply][attribute] = value;
        }
    }
    const auto status = LinuxPowerStatus(SystemFiles(tree().path())).read();
    FUZZ_CHECK(status.has_value());
    FUZZ_CHECK(status->batteryLifePercent <= 100 || status->batteryLifePercent == 255);
    FUZZ_CHECK(status->batteryLifeTime >= -1 && status->batteryFullLifeTime >= -1);
    FUZZ_CHECK(status->acLineStatus <= 1 || status->acLineStatus == 255);
    return 0;
}
