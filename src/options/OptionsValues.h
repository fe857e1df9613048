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

    struct Limits {
        int minimum;
        int maximum;
        int operator()(int value) const {
            return value < minimum ? minimum : (value > maximum ? maximum : value);
        }
    };
    // What each box holds; a value is brought inside them when it is saved, whatever it came from
    // (a box keyed into and committed by a shortcut before its focus left it).
    static constexpr Limits kTransparentLevel{25, 95};
    static constexpr Limits kLevel{0, 100};
    static constexpr Limits kSyncDays{1, 99};

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
    // Every number inside its limits.
    OptionsValues limited() const;
};
