#include "stats/CpuTemperature.h"

#include "platform/RoundHalfToEven.h"

#include <QStringList>

namespace CpuTemperature {

namespace {

// The package sensor's rank: 2 for the die temperature, 1 for a control value, 0 for none.
int packageRank(const TemperatureReading& reading) {
    if (reading.label.startsWith(QLatin1String("Package id")) || reading.label == QLatin1String("Tdie")) {
        return 2;
    }
    return reading.label == QLatin1String("Tctl") ? 1 : 0;
}

}  // namespace

bool isCpuChip(const QString& chip) {
    static const QStringList chips = {
        QStringLiteral("coretemp"),    QStringLiteral("k10temp"),     QStringLiteral("k8temp"),
        QStringLiteral("zenpower"),    QStringLiteral("via_cputemp"), QStringLiteral("cpu_thermal"),
        QStringLiteral("cpu-thermal"), QStringLiteral("soc_thermal"), QStringLiteral("cpu0_thermal")};
    return chips.contains(chip);
}

std::optional<TemperatureReading> pick(const QList<TemperatureReading>& readings) {
    std::optional<TemperatureReading> best;
    int bestRank = -1;
    for (const TemperatureReading& reading : readings) {
        if (!isCpuChip(reading.chip)) {
            continue;
        }
        const int rank = packageRank(reading);
        if (rank > bestRank || (rank == bestRank && reading.milliCelsius > best->milliCelsius)) {
            best = reading;
            bestRank = rank;
        }
    }
    return best;
}

qint16 wholeDegrees(const TemperatureReading& reading) {
    return qint16(roundHalfToEven(reading.milliCelsius / 1000.0));
}

}  // namespace CpuTemperature
