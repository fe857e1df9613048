#include "settings/ActivitySettings.h"

#include "settings/AppSettings.h"
#include "settings/SettingsConversions.h"

#include <algorithm>

namespace {
const QString kShowHistory = QStringLiteral("ShowHistory");
const QString kTrayIconGraph = QStringLiteral("TrayIconGraph");
}  // namespace

bool ActivitySettings::anyShown() const {
    return std::ranges::any_of(show, [](bool on) { return on; });
}

bool ActivitySettings::anyWatched() const {
    for (int index = 0; index < kActivityItemCount; ++index) {
        if (activityText(ActivityItem(index)).hasLevel && level.at(size_t(index)) > 0) {
            return true;
        }
    }
    return false;
}

void ActivitySettings::read(const AppSettings& settings) {
    for (int index = 0; index < kActivityItemCount; ++index) {
        const ActivityItem item = ActivityItem(index);
        const QString suffix = activitySuffix(item);
        if (const auto on =
                SettingsConversions::toBoolean(settings.text(QStringLiteral("Show") + suffix, 0))) {
            show.at(size_t(index)) = *on;
        }
        if (!activityText(item).hasLevel) {
            continue;
        }
        if (const auto stored = settings.int16(QStringLiteral("Level") + suffix, 0)) {
            level.at(size_t(index)) = std::clamp<qint16>(*stored, 0, qint16(activityText(item).levelMaximum));
        }
    }
    if (const auto on = SettingsConversions::toBoolean(settings.text(kShowHistory, 0))) {
        showHistory = *on;
    }
    if (const auto on = settings.checkMark(kTrayIconGraph, false)) {
        trayIconGraph = *on;
    }
}

void ActivitySettings::write(AppSettings& settings) const {
    for (int index = 0; index < kActivityItemCount; ++index) {
        const ActivityItem item = ActivityItem(index);
        const QString suffix = activitySuffix(item);
        settings.writeFlag(QStringLiteral("Show") + suffix, show.at(size_t(index)));
        if (activityText(item).hasLevel) {
            settings.writeInt(QStringLiteral("Level") + suffix, level.at(size_t(index)));
        }
    }
    settings.writeFlag(kShowHistory, showHistory);
    settings.writeBoolean(kTrayIconGraph, trayIconGraph);
}
