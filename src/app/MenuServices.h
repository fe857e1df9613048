#pragma once

#include <QString>
#include <optional>

// The battery fields of the power-status record that start-up looks at.
struct BatteryReading {
    int batteryFlag = 255;
    int batteryLifePercent = 255;
};

// What the controller asks of the windows and subsystems around it during start-up, exit and
// unload. The program's own implementation (Application) wires the real ones; tests record calls.
class MenuServices {
public:
    virtual ~MenuServices() = default;

    virtual void showSplash() = 0;              // modal: returns once the splash screen has closed
    virtual QString buildTimeServerList() = 0;  // returns the host name of the default server
    // Starts the CPU meter, enumerates the fixed drives and reads the power status (none when the
    // platform has no record).
    virtual std::optional<BatteryReading> startStatistics(bool isNT) = 0;
    virtual void showOptionsDialog(int page) = 0;  // returns once the dialog has been shown
    virtual void showMonitorWindow() = 0;
    virtual void startSynchronisation() = 0;
    virtual void addTrayIcon(const QString& tooltip) = 0;
    virtual void setHotkeyEnabled(bool enabled) = 0;
    virtual void setThresholdWatching(bool on) = 0;  // off also hides the alert balloon
    // Starts the update check; false when no update location is configured and nothing ran.
    virtual bool checkForUpdates(bool reportCurrent) = 0;
    virtual int showMessageBox(const QString& text, int style, const QString& title) = 0;
    // Unloads every window (monitor, About, message box, options, pop-up, update, synchronisation),
    // stops the hotkey, removes the tray icon and ends the event loop.
    virtual void shutDown() = 0;
};
