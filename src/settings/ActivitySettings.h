#pragma once

#include "stats/ActivityItem.h"

#include <QtGlobal>
#include <array>

class AppSettings;

// The choices for the activity items, the history behind the bars and the live tray icon; all
// off by default, so a user who never chooses them sees the classic program. Keys: "Show" and
// "Level" + the item's suffix ("ShowCores", "LevelTemperature", ...) as "0"/"1" and a number,
// "ShowHistory" as "0"/"1", "TrayIconGraph" as "True"/"False".
struct ActivitySettings {
    std::array<bool, kActivityItemCount> show{};
    std::array<qint16, kActivityItemCount> level{};
    bool showHistory = false;
    bool trayIconGraph = false;

    bool shown(ActivityItem item) const { return show.at(size_t(item)); }
    qint16 levelOf(ActivityItem item) const { return level.at(size_t(item)); }
    bool anyShown() const;
    bool anyWatched() const;

    // Each key that is present and converts; the others keep their value.
    void read(const AppSettings& settings);
    void write(AppSettings& settings) const;

    bool operator==(const ActivitySettings&) const = default;
};
