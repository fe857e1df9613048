#pragma once

#include "app/Menu.h"
#include "app/MenuServices.h"

// The tray menu's toggle items, each stored under its key when it changes.
enum class TrayToggle {
    mnuStartup,
    mnuStartupMonitor,
    mnuOnTop,
    mnuSplash,
    mnuQuickDisplay,
    mnuExitPrompt,
    mnuMonitorBalloon,
    mnuTransparent,
    mnuUpdateCheckAtStart,
    mnuHotkey,
    mnuSyncAtStart,
};

// The commands behind the tray menu's items and the hotkey.
class TrayCommands {
public:
    TrayCommands(Menu& menu, MenuServices& services) : menu_(menu), services_(services) {}

    void toggle(TrayToggle item);
    void mnuDisplay_Click();
    void showOptionsPage(int page);  // mnuOptions 0, mnuItems 1, mnuTimeServer 3
    void mnuMonitor_Click();
    void mnuSync_Click();
    void mnuVersion_Click();
    void mnuAbout_Click();
    void hotkeyPressed(bool hotkeyEnabled);

    static MenuItemState& item(TrayMenuState& state, TrayToggle toggle);
    // Opacity byte of the translucent monitor window for a level in percent (75 gives 191).
    static int alphaForLevel(int level);

private:
    void storeAndApply(TrayToggle item, bool on);

    Menu& menu_;
    MenuServices& services_;
};
