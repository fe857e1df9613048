#include "settings/SharedSettingsState.h"

#include <algorithm>

bool SharedSettingsState::anyShown() const {
    const auto set = [](bool shown) { return shown; };
    return std::ranges::any_of(showItem, set) || std::ranges::any_of(showDrive, set) || activity.anyShown();
}

bool SharedSettingsState::anyWatched() const {
    const auto watched = [](qint16 level) { return level > 0; };
    return std::ranges::any_of(itemLevel, watched) || std::ranges::any_of(driveLevel, watched) ||
           activity.anyWatched();
}
