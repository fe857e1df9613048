#pragma once

#include "stats/StatisticItem.h"

#include <QChar>
#include <QList>
#include <QString>
#include <optional>

// The current values the threshold check compares, each a whole percentage. Nothing means the
// value could not be read this time.
class ThresholdReadings {
public:
    virtual ~ThresholdReadings() = default;

    // Reads the memory and power status anew.
    virtual void refresh() = 0;
    virtual std::optional<int> value(StatisticItem item) = 0;
    virtual QList<QChar> fixedDrives() = 0;
    virtual std::optional<int> driveUsage(QChar letter) = 0;
    virtual QString mountPoint(QChar letter) = 0;
};
