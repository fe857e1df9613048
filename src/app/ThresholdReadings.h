#pragma once

#include "stats/ActivityItem.h"
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

    // An activity item's value (percent; whole degrees for the temperature), measured since the
    // previous check, and where it comes from ("core 3", "sda"); nothing when it cannot be read.
    struct ActivityValue {
        int value = 0;
        QString where;
    };
    virtual std::optional<ActivityValue> activityValue(ActivityItem) { return std::nullopt; }
};
