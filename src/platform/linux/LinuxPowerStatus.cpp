#include "platform/linux/LinuxPowerStatus.h"

#include "platform/RoundHalfToEven.h"

#include <cmath>
#include <limits>

namespace {

const QString kSupplies = QStringLiteral("/sys/class/power_supply");

// One system battery as sysfs describes it. Amounts are in µWh / µW when the driver reports
// energy, in µAh / µA when it reports charge (converted to energy when the voltage is known).
struct Battery {
    std::optional<double> percent;
    bool charging = false;
    bool energyUnits = false;
    std::optional<double> now;
    std::optional<double> full;
    std::optional<double> rate;
};

std::optional<qint64> readNumber(const SystemFiles& files, const QString& path) {
    const QByteArray text = files.readLine(path);
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    if (!ok) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> positive(std::optional<qint64> value) {
    if (!value || *value <= 0) {
        return std::nullopt;
    }
    return static_cast<double>(*value);
}

std::optional<double> nonNegative(std::optional<qint64> value) {
    if (!value || *value < 0) {
        return std::nullopt;
    }
    return static_cast<double>(*value);
}

std::optional<double> magnitude(std::optional<qint64> value) {
    if (!value) {
        return std::nullopt;
    }
    return std::abs(static_cast<double>(*value));  // some drivers report a discharge as negative
}

Battery readBattery(const SystemFiles& files, const QString& dir) {
    const auto number = [&](const char* name) {
        return readNumber(files, dir + QLatin1Char('/') + QLatin1String(name));
    };
    Battery battery;
    battery.charging = files.readLine(dir + QStringLiteral("/status")) == "Charging";

    battery.full = positive(number("energy_full"));
    if (battery.full) {
        battery.energyUnits = true;
        battery.now = nonNegative(number("energy_now"));
        battery.rate = magnitude(number("power_now"));
    } else {
        battery.full = positive(number("charge_full"));
        battery.now = nonNegative(number("charge_now"));
        battery.rate = magnitude(number("current_now"));
        std::optional<double> microvolts = positive(number("voltage_min_design"));
        if (!microvolts) {
            microvolts = positive(number("voltage_now"));
        }
        if (microvolts && battery.full) {
            // Charge to energy, so that batteries of both kinds add up.
            const double volts = *microvolts / 1e6;
            battery.energyUnits = true;
            *battery.full *= volts;
            if (battery.now) {
                *battery.now *= volts;
            }
            if (battery.rate) {
                *battery.rate *= volts;
            }
        }
    }

    const std::optional<qint64> capacity = number("capacity");
    if (capacity && *capacity >= 0 && *capacity <= 100) {
        battery.percent = static_cast<double>(*capacity);
    } else if (battery.now && battery.full) {
        battery.percent = std::min(100.0, *battery.now / *battery.full * 100.0);
    }
    return battery;
}

qint32 seconds(double amount, double rate) {
    const double value = amount / rate * 3600.0;
    if (!std::isfinite(value) || value < 0 || value > std::numeric_limits<qint32>::max()) {
        return -1;
    }
    return static_cast<qint32>(std::llround(value));
}

}  // namespace

std::optional<PowerStatus> LinuxPowerStatus::read() {
    if (++readsSinceListing_ >= kReadsPerListing) {
        readsSinceListing_ = 0;
        supplies_.clear();
        listed_ = files_.list(kSupplies, supplies_);
        supplies_.sort();
    }
    if (!listed_) {
        return std::nullopt;
    }
    bool lineSupplyOnline = false;
    QList<Battery> batteries;
    for (const QString& name : std::as_const(supplies_)) {
        const QString dir = kSupplies + QLatin1Char('/') + name;
        const QByteArray type = files_.readLine(dir + QStringLiteral("/type"));
        if (type.isEmpty()) {
            readsSinceListing_ = kReadsPerListing;  // gone: list afresh next time
        } else if (type == "Mains" || type == "USB") {
            lineSupplyOnline = lineSupplyOnline || files_.readLine(dir + QStringLiteral("/online")) == "1";
        } else if (type == "Battery") {
            // Batteries of mice, keyboards and headsets report scope "Device"; an empty bay reports
            // present 0. Neither powers the machine.
            if (files_.readLine(dir + QStringLiteral("/scope")) == "Device" ||
                files_.readLine(dir + QStringLiteral("/present")) == "0") {
                continue;
            }
            batteries.append(readBattery(files_, dir));
        }
    }

    PowerStatus status;
    if (lineSupplyOnline) {
        status.acLineStatus = 1;
    } else if (!batteries.isEmpty()) {
        status.acLineStatus = 0;
    }
    if (batteries.isEmpty()) {
        status.batteryFlag = 128;
        return status;
    }

    // Several batteries: the charge they hold together, weighted by capacity when it is known.
    double weightedPercent = 0;
    double weights = 0;
    double plainPercent = 0;
    int percentCount = 0;
    bool allWeighted = true;
    bool charging = false;
    bool sameUnits = true;
    double now = 0;
    double full = 0;
    double rate = 0;
    bool amountsKnown = true;
    for (const Battery& battery : batteries) {
        charging = charging || battery.charging;
        sameUnits = sameUnits && battery.energyUnits == batteries.first().energyUnits;
        if (battery.percent) {
            plainPercent += *battery.percent;
            ++percentCount;
            if (battery.full) {
                weightedPercent += *battery.percent * *battery.full;
                weights += *battery.full;
            } else {
                allWeighted = false;
            }
        }
        if (battery.now && battery.full && battery.rate) {
            now += *battery.now;
            full += *battery.full;
            rate += *battery.rate;
        } else {
            amountsKnown = false;
        }
    }
    if (percentCount > 0) {
        const double percent = (allWeighted && sameUnits && weights > 0) ? weightedPercent / weights
                                                                         : plainPercent / percentCount;
        status.batteryLifePercent = static_cast<quint8>(std::clamp(roundHalfToEven(percent), 0.0, 100.0));
    }

    if (charging) {
        status.batteryFlag = 8;
    } else if (percentCount == 0) {
        status.batteryFlag = 255;
    } else if (status.batteryLifePercent > 66) {
        status.batteryFlag = 1;
    } else if (status.batteryLifePercent < 5) {
        status.batteryFlag = 4;
    } else if (status.batteryLifePercent < 33) {
        status.batteryFlag = 2;
    } else {
        status.batteryFlag = 0;
    }

    // Times left are known only while running on the batteries.
    if (status.acLineStatus == 0 && amountsKnown && sameUnits && rate > 0) {
        status.batteryLifeTime = seconds(now, rate);
        status.batteryFullLifeTime = seconds(full, rate);
    }
    return status;
}
