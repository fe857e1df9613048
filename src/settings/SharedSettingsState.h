#pragma once

#include "settings/ActivitySettings.h"
#include "stats/StatisticItem.h"

#include <QString>
#include <array>

// The process-wide copies of the settings the running program consults. Every writer updates the
// store and this state together; readers other than start-up read this state.
struct SharedSettingsState {
    std::array<bool, kFixedItemCount> showItem{};
    std::array<qint16, kFixedItemCount> itemLevel{};
    std::array<bool, kExtraDriveCount> showDrive{};
    std::array<qint16, kExtraDriveCount> driveLevel{};
    qint16 transparentLevel = 0;
    QString currentServerHost;
    qint16 autoSyncDays = 0;
    ActivitySettings activity;

    bool anyShown() const;
    bool anyWatched() const;
};
