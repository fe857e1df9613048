#pragma once

// The live state of the tray menu's items: the check marks mirror the general options and are
// read by every window that needs the option; the enabled states signal open windows.
struct MenuItemState {
    bool checked = false;
    bool enabled = true;
};

struct TrayMenuState {
    MenuItemState mnuDisplay;
    MenuItemState mnuMonitor;
    MenuItemState mnuStartup;
    MenuItemState mnuSplash;
    MenuItemState mnuUpdateCheckAtStart;
    MenuItemState mnuStartupMonitor;
    MenuItemState mnuOnTop;
    MenuItemState mnuTransparent;
    MenuItemState mnuHotkey;
    MenuItemState mnuMonitorBalloon;
    MenuItemState mnuQuickDisplay;
    MenuItemState mnuExitPrompt;
    MenuItemState mnuOptions;
    MenuItemState mnuItems;
    MenuItemState mnuTimeServer;
    MenuItemState mnuSync;
    MenuItemState mnuSyncAtStart;
    MenuItemState mnuVersion;
    MenuItemState mnuAbout;
    MenuItemState mnuExit;
};
