#include "app/TrayCommands.h"

#include "widgets/WindowHelpers.h"

namespace {
enum class StoredForm { Nothing, ZeroOne, TrueFalse };

struct ToggleRow {
    TrayToggle item;
    const char* key;
    StoredForm form;
    const char* mirrorBox;
};

constexpr ToggleRow kToggles[] = {
    {TrayToggle::mnuStartup, nullptr, StoredForm::Nothing, "Check0(0)"},
    {TrayToggle::mnuStartupMonitor, "ShowStatsAtStartup", StoredForm::ZeroOne, "Check0(1)"},
    {TrayToggle::mnuOnTop, "ShowOnTop", StoredForm::ZeroOne, "Check0(2)"},
    {TrayToggle::mnuSplash, "ShowSplash", StoredForm::ZeroOne, "Check0(3)"},
    {TrayToggle::mnuQuickDisplay, "ShowQuickDisplay", StoredForm::TrueFalse, "Check0(4)"},
    {TrayToggle::mnuExitPrompt, "ShowExitPrompt", StoredForm::TrueFalse, "Check0(5)"},
    {TrayToggle::mnuMonitorBalloon, "ShowMonitorBalloon", StoredForm::TrueFalse, "Check0(6)"},
    {TrayToggle::mnuTransparent, "ShowTransparent", StoredForm::TrueFalse, "Check0(7)"},
    {TrayToggle::mnuUpdateCheckAtStart, "VersionCheck", StoredForm::TrueFalse, "Check0(8)"},
    {TrayToggle::mnuHotkey, "UseHotkey", StoredForm::TrueFalse, "Check0(9)"},
    {TrayToggle::mnuSyncAtStart, "TimeSyncOnStart", StoredForm::TrueFalse, "Check3"},
};

const ToggleRow& rowOf(TrayToggle item) {
    for (const ToggleRow& row : kToggles) {
        if (row.item == item) {
            return row;
        }
    }
    return kToggles[0];
}

constexpr int kThresholdFirstTickMs = 5000;
}  // namespace

MenuItemState& TrayCommands::item(TrayMenuState& state, TrayToggle toggle) {
    switch (toggle) {
        case TrayToggle::mnuStartup:
            return state.mnuStartup;
        case TrayToggle::mnuStartupMonitor:
            return state.mnuStartupMonitor;
        case TrayToggle::mnuOnTop:
            return state.mnuOnTop;
        case TrayToggle::mnuSplash:
            return state.mnuSplash;
        case TrayToggle::mnuQuickDisplay:
            return state.mnuQuickDisplay;
        case TrayToggle::mnuExitPrompt:
            return state.mnuExitPrompt;
        case TrayToggle::mnuMonitorBalloon:
            return state.mnuMonitorBalloon;
        case TrayToggle::mnuTransparent:
            return state.mnuTransparent;
        case TrayToggle::mnuUpdateCheckAtStart:
            return state.mnuUpdateCheckAtStart;
        case TrayToggle::mnuHotkey:
            return state.mnuHotkey;
        case TrayToggle::mnuSyncAtStart:
            return state.mnuSyncAtStart;
    }
    return state.mnuStartup;
}

int TrayCommands::alphaForLevel(int level) {
    return translucencyAlpha(level);
}

void TrayCommands::toggle(TrayToggle toggled) {
    const bool optionsOpen = !menu_.menuState().mnuOptions.enabled;
    const bool applyWasEnabled = optionsOpen && services_.optionsApplyEnabled();
    const ToggleRow& row = rowOf(toggled);
    MenuItemState& state = item(menu_.menuState(), toggled);
    const bool on = !state.checked;

    if (row.form == StoredForm::ZeroOne) {
        menu_.settings().writeFlag(QString::fromLatin1(row.key), on);
    } else if (row.form == StoredForm::TrueFalse) {
        menu_.settings().writeBoolean(QString::fromLatin1(row.key), on);
    }
    if (optionsOpen) {
        services_.setOptionsMirrorBox(QString::fromLatin1(row.mirrorBox), on);
    }
    state.checked = on;
    storeAndApply(toggled, on);
    if (optionsOpen) {
        services_.setOptionsApplyEnabled(applyWasEnabled);
    }
}

void TrayCommands::storeAndApply(TrayToggle toggled, bool on) {
    SharedSettingsState& shared = menu_.sharedState();
    switch (toggled) {
        case TrayToggle::mnuStartup:
            if (on) {
                services_.createStartupShortcut();
            } else {
                services_.removeStartupShortcut();
            }
            // The mark shows what is really there, also when the entry could not be written.
            menu_.menuState().mnuStartup.checked = services_.startupShortcutExists();
            break;
        case TrayToggle::mnuOnTop:
            services_.setMonitorTopmost(on);
            break;
        case TrayToggle::mnuQuickDisplay:
            if (!on) {
                menu_.Timer2.stop();
                menu_.Timer3.stop();
                services_.unloadPopup();
            }
            break;
        case TrayToggle::mnuTransparent:
            shared.transparentChecked = on;
            services_.setMonitorTranslucency(on, alphaForLevel(shared.transparentLevel));
            break;
        case TrayToggle::mnuHotkey:
            services_.setHotkeyEnabled(on);
            break;
        default:
            break;
    }
}

void TrayCommands::mnuDisplay_Click() {
    services_.unloadOptionsDialog();
    services_.showMonitorWindow();
}

void TrayCommands::showOptionsPage(int page) {
    services_.unloadMonitorWindow();
    services_.showOptionsDialog(page);
    services_.processPendingEvents();
}

void TrayCommands::mnuMonitor_Click() {
    MenuItemState& monitor = menu_.menuState().mnuMonitor;
    if (monitor.checked) {
        menu_.Timer1.stop();
        services_.hideBalloon();
    } else {
        menu_.Timer1.setInterval(kThresholdFirstTickMs);
        menu_.Timer1.start();
    }
    monitor.checked = !monitor.checked;
    menu_.settings().writeBoolean(QStringLiteral("MonitorLevels"), monitor.checked);
}

void TrayCommands::mnuSync_Click() {
    services_.startSynchronisation();
}

void TrayCommands::mnuVersion_Click() {
    services_.testAndUpdate(true, true);
}

void TrayCommands::mnuAbout_Click() {
    services_.showAbout();
}

void TrayCommands::hotkeyPressed(bool hotkeyEnabled) {
    if (!hotkeyEnabled) {
        return;
    }
    if (menu_.menuState().mnuDisplay.enabled) {
        mnuDisplay_Click();
    } else {
        services_.unloadMonitorWindow();
    }
}
