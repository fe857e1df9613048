#include "options/OptionsCommit.h"

#include "app/Menu.h"
#include "app/MenuServices.h"

#include <algorithm>

namespace {
constexpr int kThresholdFirstTickMs = 5000;

bool at(const QList<bool>& list, qsizetype index) {
    return index < list.size() && list.at(index);
}
qint16 levelAt(const QList<int>& list, qsizetype index) {
    return index < list.size() ? qint16(std::clamp(list.at(index), -32768, 32767)) : 0;
}
}  // namespace

bool OptionsValues::anyLevel() const {
    return std::ranges::any_of(level, [](int value) { return value > 0; });
}

void OptionsCommit::SaveOptions(const OptionsValues& values) {
    TrayMenuState& items = menu_.menuState();
    SharedSettingsState& shared = menu_.sharedState();
    AppSettings& settings = menu_.settings();
    const auto& general = values.general;

    items.mnuDisplay.enabled = false;
    items.mnuMonitor.checked = false;
    items.mnuMonitor.enabled = false;
    settings.write(QStringLiteral("Defined"), QStringLiteral("Yes"));

    settings.writeFlag(QStringLiteral("ShowStatsAtStartup"), general[1]);
    items.mnuStartupMonitor.checked = general[1];
    settings.writeFlag(QStringLiteral("ShowOnTop"), general[2]);
    items.mnuOnTop.checked = general[2];
    settings.writeFlag(QStringLiteral("ShowSplash"), general[3]);
    items.mnuSplash.checked = general[3];
    items.mnuUpdateCheckAtStart.checked = general[8];
    settings.writeBoolean(QStringLiteral("VersionCheck"), general[8]);
    items.mnuQuickDisplay.checked = general[4];
    settings.writeBoolean(QStringLiteral("ShowQuickDisplay"), general[4]);
    items.mnuExitPrompt.checked = general[5];
    settings.writeBoolean(QStringLiteral("ShowExitPrompt"), general[5]);
    items.mnuMonitorBalloon.checked = general[6];
    items.mnuHotkey.checked = general[9];
    services_.setHotkeyEnabled(general[9]);
    settings.writeBoolean(QStringLiteral("UseHotkey"), general[9]);
    settings.writeBoolean(QStringLiteral("ShowMonitorBalloon"), general[6]);

    // The tray item shows the flag too; left alone it would contradict the saved choice.
    shared.transparentChecked = general[7];
    if (items.mnuTransparent.enabled) {
        items.mnuTransparent.checked = general[7];
    }
    settings.writeBoolean(QStringLiteral("ShowTransparent"), general[7]);
    shared.transparentLevel = qint16(std::clamp(values.transparentLevel, -32768, 32767));
    settings.writeInt(QStringLiteral("TransparentLevel"), shared.transparentLevel);

    saveRows(values);

    settings.write(QStringLiteral("TimeServer"), shared.currentServerHost);
    items.mnuSyncAtStart.checked = values.syncAtStart;
    settings.writeBoolean(QStringLiteral("TimeSyncOnStart"), values.syncAtStart);
    shared.autoSyncDays = qint16(std::clamp(values.syncDays, -32768, 32767));
    settings.writeInt(QStringLiteral("AutoSyncDays"), shared.autoSyncDays);

    if (!items.mnuDisplay.enabled && std::ranges::any_of(shared.showItem, [](bool on) { return on; })) {
        items.mnuDisplay.enabled = true;
    }
    if (!items.mnuMonitor.enabled && std::ranges::any_of(shared.itemLevel, [](qint16 l) { return l >= 1; })) {
        items.mnuMonitor.enabled = true;
    }
    if (items.mnuMonitor.enabled) {
        monitorFromStoredChoice();
    }
    if (items.mnuMonitor.checked) {
        menu_.Timer1.start();
    } else {
        menu_.Timer1.stop();
        services_.hideBalloon();
    }

    if (general[0]) {
        items.mnuStartup.checked = true;
        if (!services_.createStartupShortcut()) {
            items.mnuStartup.checked = services_.startupShortcutExists();
        }
    } else {
        items.mnuStartup.checked = false;
        services_.removeStartupShortcut();
    }
}

void OptionsCommit::saveRows(const OptionsValues& values) {
    SharedSettingsState& shared = menu_.sharedState();
    AppSettings& settings = menu_.settings();
    TrayMenuState& items = menu_.menuState();
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
        if (shown) {
            items.mnuDisplay.enabled = true;
        }
        shared.driveLevel[size_t(index)] = levelAt(values.level, row);
        settings.writeInt(QStringLiteral("Level") + driveSuffix(letter), shared.driveLevel[size_t(index)]);
        if (shared.driveLevel[size_t(index)] != 0) {
            items.mnuMonitor.enabled = true;
        }
    }
}

void OptionsCommit::monitorFromStoredChoice() {
    if (const auto stored = menu_.settings().checkMark(QStringLiteral("MonitorLevels"), false)) {
        menu_.menuState().mnuMonitor.checked = *stored;
    }
}

void OptionsCommit::followRows(const OptionsValues& values) {
    TrayMenuState& items = menu_.menuState();
    items.mnuDisplay.enabled = values.anyShown();
    items.mnuMonitor.enabled = values.anyLevel();
    if (items.mnuMonitor.enabled) {
        monitorFromStoredChoice();
    }
    menu_.Timer1.setInterval(kThresholdFirstTickMs);
    if (items.mnuMonitor.checked) {
        menu_.Timer1.start();
    } else {
        menu_.Timer1.stop();
        services_.hideBalloon();
    }
}
