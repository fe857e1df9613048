#include "options/OptionsCommit.h"

#include <algorithm>

namespace {
bool at(const QList<bool>& list, qsizetype index) {
    return index < list.size() && list.at(index);
}
qint16 levelAt(const QList<int>& list, qsizetype index) {
    return index < list.size() ? qint16(std::clamp(list.at(index), -32768, 32767)) : qint16{0};
}
}  // namespace

bool OptionsValues::anyLevel() const {
    return std::ranges::any_of(level, [](int value) { return value > 0; }) || activity.anyWatched();
}

OptionsValues OptionsValues::limited() const {
    OptionsValues values = *this;
    values.transparentLevel = kTransparentLevel(transparentLevel);
    for (int& value : values.level) {
        value = kLevel(value);
    }
    values.syncDays = kSyncDays(syncDays);
    return values;
}

void OptionsCommit::SaveOptions(const OptionsValues& entered) {
    const OptionsValues values = entered.limited();
    TrayMenuState& items = live_.items;
    SharedSettingsState& shared = live_.shared;
    AppSettings& settings = live_.settings;

    items.mnuMonitor.checked = false;
    items.mnuMonitor.enabled = false;
    settings.write(QStringLiteral("Defined"), QStringLiteral("Yes"));

    for (const GeneralOptions::Row& row : GeneralOptions::rows()) {
        const bool on = row.option == GeneralOption::SyncAtStart ? values.syncAtStart
                                                                 : values.general[size_t(row.option)];
        live_.general.set(row.option, on);
    }
    shared.transparentLevel = qint16(values.transparentLevel);
    settings.writeInt(QStringLiteral("TransparentLevel"), shared.transparentLevel);

    saveRows(values);

    settings.write(QStringLiteral("TimeServer"), shared.currentServerHost);
    shared.autoSyncDays = qint16(values.syncDays);
    settings.writeInt(QStringLiteral("AutoSyncDays"), shared.autoSyncDays);

    // The monitor window may be open (the synchronisation window's Settings button opens the
    // dialog beside it): only what is selected changes, not whether the window is open.
    items.setSomethingToShow(shared.anyShown());
    items.mnuMonitor.enabled = shared.anyWatched();
    watchAsStored();
    host_.activityChoicesChanged();
}

void OptionsCommit::saveRows(const OptionsValues& values) {
    SharedSettingsState& shared = live_.shared;
    AppSettings& settings = live_.settings;
    for (int row = 0; row < kFixedItemCount; ++row) {
        const bool shown = at(values.show, row);
        settings.writeFlag(QStringLiteral("Show") + statisticSuffix(row), shown);
        shared.showItem[size_t(row)] = shown;
    }
    for (int row = 0; row < kFixedItemCount; ++row) {
        shared.itemLevel[size_t(row)] = levelAt(values.level, row);
        settings.writeInt(QStringLiteral("Level") + statisticSuffix(row), shared.itemLevel[size_t(row)]);
    }
    for (qsizetype k = 0; k < values.extraDrives.size(); ++k) {
        const QChar letter = values.extraDrives.at(k);
        const int index = driveIndex(letter);
        if (index < 0 || index >= kExtraDriveCount) {
            continue;
        }
        const qsizetype row = kFixedItemCount + k;
        const bool shown = at(values.show, row);
        shared.showDrive[size_t(index)] = shown;
        settings.writeFlag(QStringLiteral("Show") + driveSuffix(letter), shown);
        shared.driveLevel[size_t(index)] = levelAt(values.level, row);
        settings.writeInt(QStringLiteral("Level") + driveSuffix(letter), shared.driveLevel[size_t(index)]);
    }
    shared.activity = values.activity;
    values.activity.write(settings);
}

// Watching follows the stored "MonitorLevels" wherever something has a level.
void OptionsCommit::watchAsStored() {
    TrayMenuState& items = live_.items;
    if (items.mnuMonitor.enabled) {
        if (const auto stored = live_.settings.checkMark(QStringLiteral("MonitorLevels"), false)) {
            items.mnuMonitor.checked = *stored;
        }
    }
    host_.setThresholdWatching(items.mnuMonitor.checked);
}

void OptionsCommit::followRows(const OptionsValues& values) {
    TrayMenuState& items = live_.items;
    items.setSomethingToShow(values.anyShown());
    items.mnuMonitor.enabled = values.anyLevel();
    watchAsStored();
}
