#pragma once

// The live state of the tray menu's items: the check marks mirror the general options and are
// read by every window that needs the option; the enabled states signal open windows.
struct MenuItemState {
    bool checked = false;
    bool enabled = true;
};

struct TrayMenuState {
    MenuItemState mnuDisplay;  // set through the two states below, never directly
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

    // "Show System Monitor" is offered when something is selected to show and the monitor window
    // is closed. Saving the options changes only the first, opening and closing the window only
    // the second.
    void setSomethingToShow(bool any) {
        somethingToShow_ = any;
        mnuDisplay.enabled = somethingToShow_ && !monitorOpen_;
    }
    void setMonitorOpen(bool open) {
        monitorOpen_ = open;
        mnuDisplay.enabled = somethingToShow_ && !monitorOpen_;
    }
    bool monitorOpen() const { return monitorOpen_; }
    bool somethingToShow() const { return somethingToShow_; }

private:
    bool somethingToShow_ = false;
    bool monitorOpen_ = false;
};
