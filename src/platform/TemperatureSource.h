#pragma once

#include "platform/ActivityRecords.h"

#include <QList>

// Every temperature sensor of the machine; empty where there are none.
class TemperatureSource {
public:
    virtual ~TemperatureSource() = default;
    virtual QList<TemperatureReading> readings() = 0;
};
