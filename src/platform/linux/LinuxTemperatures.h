#pragma once

#include "platform/TemperatureSource.h"
#include "platform/linux/SystemFiles.h"

// Temperature sensors of the hwmon class in sysfs, named as lm-sensors names them: the chip by
// its "name" file, each sensor by its tempN_label or, without one, "tempN".
class LinuxTemperatures : public TemperatureSource {
public:
    explicit LinuxTemperatures(SystemFiles files) : files_(std::move(files)) {}
    QList<TemperatureReading> readings() override;

    // A tempN_input value in millidegrees Celsius; nothing for garbage and for values no sensor
    // reports when it works (below -60 or above 200 degrees).
    static std::optional<qint32> parseMillidegrees(const QByteArray& value);

private:
    struct Sensor {
        QString inputPath;
        QString chip;
        QString label;
    };
    void findSensors();

    SystemFiles files_;
    QList<Sensor> sensors_;
    // Sensors come and go with drivers only: the folders are searched again now and then, and the
    // input files alone are read on every sample.
    static constexpr int kReadsPerSearch = 100;
    int readsSinceSearch_ = kReadsPerSearch - 1;  // the first reading searches
};
