#pragma once

#include "settings/ActivitySettings.h"

#include <QChar>
#include <QList>
#include <array>

// What the Options dialog's controls hold when it commits: the ten general boxes, the
// transparency level, one show flag and level per statistics row (the eight fixed items, then one
// per extra drive) and the synchronisation choices.
struct OptionsValues {
    static constexpr int kGeneralCount = 10;

    std::array<bool, kGeneralCount> general{};  // Check0(0) .. Check0(9)
    int transparentLevel = 75;
    QList<bool> show;           // Check1(row)
    QList<int> level;           // Threshold1(row)
    QList<QChar> extraDrives;   // the letter of row 8 + k
    bool syncAtStart = false;   // Check3
    int syncDays = 7;           // SyncDays
    ActivitySettings activity;  // page "More"

    bool anyShown() const { return show.contains(true) || activity.anyShown(); }
    bool anyLevel() const;
};
