#include "stats/ActivityText.h"

#include "stats/ActivityItem.h"
#include "stats/CpuTemperature.h"

#include <array>

namespace ActivityText {

namespace {

QString line(ActivityItem item, const QString& valueText) {
    const QString label = QString::fromUtf8(activityText(item).popupLabel);
    const qsizetype dots = std::max<qsizetype>(0, 4 - valueText.size());
    return label + QString(dots, QLatin1Char('.')) + QLatin1Char(' ') + valueText;
}

const QString kNone = QStringLiteral("(none)");
const QString kNotYet = QStringLiteral("n/a");

}  // namespace

QString rate(double bytesPerSecond) {
    static const std::array<const char*, 4> units = {"B/s", "kB/s", "MB/s", "GB/s"};
    size_t unit = 0;
    double value = std::max(0.0, bytesPerSecond);
    while (value >= 1000.0 && unit + 1 < units.size()) {
        value /= 1000.0;
        ++unit;
    }
    const int decimals = (unit == 0 || value >= 100.0) ? 0 : (value >= 10.0 ? 1 : 2);
    return QString::number(value, 'f', decimals) + QLatin1Char(' ') + QLatin1String(units[unit]);
}

QString celsius(const TemperatureReading& reading) {
    return QString::number(reading.milliCelsius / 1000.0, 'f', 1) + QStringLiteral(" \u00b0C");
}

QString sensorName(const TemperatureReading& reading) {
    return reading.chip + QStringLiteral(": ") + reading.label;
}

QString networkRates(const NetworkRates& rates) {
    return QStringLiteral("R ") + rate(rates.receiveBytesPerSecond) + QStringLiteral("  S ") +
           rate(rates.sendBytesPerSecond);
}

QString compactRates(const NetworkRates& rates) {
    const auto compact = [](double bytes) { return rate(bytes).remove(QLatin1Char(' ')); };
    return QStringLiteral("\u2193") + compact(rates.receiveBytesPerSecond) + QStringLiteral(" \u2191") +
           compact(rates.sendBytesPerSecond);
}

QString coresLine(const std::optional<QList<CoreLoad>>& cores) {
    if (!cores) {
        return line(ActivityItem::Cores, kNone);
    }
    const std::optional<CoreLoad> top = CoreLoadMeter::busiest(*cores);
    if (!top) {
        return line(ActivityItem::Cores, kNotYet);
    }
    return line(ActivityItem::Cores, QString::number(*top->percent) + QStringLiteral("% (core ") +
                                         QString::number(top->cpu) + QLatin1Char(')'));
}

QString temperatureLine(const std::optional<TemperatureReading>& reading) {
    if (!reading) {
        return line(ActivityItem::Temperature, kNone);
    }
    return line(ActivityItem::Temperature,
                celsius(*reading) + QStringLiteral(" (") + reading->label + QLatin1Char(')'));
}

QString diskBusyLine(const std::optional<DiskBusy>& busy, bool available) {
    if (!busy) {
        return line(ActivityItem::DiskBusy, available ? kNotYet : kNone);
    }
    return line(ActivityItem::DiskBusy,
                QString::number(busy->percent) + QStringLiteral("% (") + busy->disk + QLatin1Char(')'));
}

QString networkLine(const std::optional<NetworkRates>& rates, bool available) {
    if (!rates) {
        return line(ActivityItem::Network, available ? kNotYet : kNone);
    }
    return line(ActivityItem::Network, networkRates(*rates));
}

}  // namespace ActivityText
