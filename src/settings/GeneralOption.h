#pragma once

// The general options: each is a tray menu item with a check mark, a key in the settings file and,
// while the options dialog is open, a box there. In the order of the dialog's first page; the last
// sits on its time-server page.
enum class GeneralOption {
    Startup,             // mnuStartup: the log-in entry itself is the stored form
    StartupMonitor,      // mnuStartupMonitor
    OnTop,               // mnuOnTop
    Splash,              // mnuSplash
    QuickDisplay,        // mnuQuickDisplay
    ExitPrompt,          // mnuExitPrompt
    MonitorBalloon,      // mnuMonitorBalloon
    Transparent,         // mnuTransparent
    UpdateCheckAtStart,  // mnuUpdateCheckAtStart
    Hotkey,              // mnuHotkey
    SyncAtStart,         // mnuSyncAtStart
};

inline constexpr int kGeneralOptionCount = 11;
