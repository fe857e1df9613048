#include "platform/linux/LinuxTemperatures.h"

#include <QRegularExpression>

namespace {
const QString kHwmon = QStringLiteral("/sys/class/hwmon");
}  // namespace

void LinuxTemperatures::findSensors() {
    sensors_.clear();
    readsSinceSearch_ = 0;  // also where none was found: a machine without sensors stays so
    QStringList chips;
    if (!files_.list(kHwmon, chips)) {
        return;
    }
    chips.sort();
    static const QRegularExpression input(QStringLiteral("^temp(\\d{1,4})_input$"));
    for (const QString& chipFolder : chips) {
        const QString folder = kHwmon + QLatin1Char('/') + chipFolder;
        const QString chip = QString::fromUtf8(files_.readLine(folder + QStringLiteral("/name")));
        QStringList names;
        if (!files_.list(folder, names)) {
            continue;
        }
        names.sort();
        for (const QString& name : names) {
            const QRegularExpressionMatch match = input.match(name);
            if (!match.hasMatch()) {
                continue;
            }
            const QString prefix = folder + QStringLiteral("/temp") + match.captured(1);
            QString label = QString::fromUtf8(files_.readLine(prefix + QStringLiteral("_label")));
            if (label.isEmpty()) {
                label = QStringLiteral("temp") + match.captured(1);
            }
            sensors_.append(
                Sensor{prefix + QStringLiteral("_input"), chip.isEmpty() ? chipFolder : chip, label});
        }
    }
}

QList<TemperatureReading> LinuxTemperatures::readings() {
    if (++readsSinceSearch_ >= kReadsPerSearch) {
        findSensors();
    }
    QList<TemperatureReading> found;
    bool vanished = false;
    for (const Sensor& sensor : sensors_) {
        QByteArray value;
        if (!files_.read(sensor.inputPath, value, 64)) {
            vanished = true;
            continue;
        }
        if (const std::optional<qint32> milli = parseMillidegrees(value)) {
            found.append(TemperatureReading{sensor.chip, sensor.label, *milli});
        }
    }
    if (vanished) {
        readsSinceSearch_ = kReadsPerSearch;  // a driver went away: search afresh next time
    }
    return found;
}

std::optional<qint32> LinuxTemperatures::parseMillidegrees(const QByteArray& value) {
    bool ok = false;
    const qint64 milli = value.trimmed().toLongLong(&ok);
    if (!ok || milli < -60'000 || milli > 200'000) {
        return std::nullopt;
    }
    return qint32(milli);
}
