#pragma once

#include <QChar>
#include <QList>
#include <QString>
#include <optional>

// The battery fields of the power-status record that start-up looks at.
struct BatteryReading {
    int batteryFlag = 255;
    int batteryLifePercent = 255;
};

// Everything the controller asks of the other subsystems and of the windows. The program's own
// implementation (Application) wires the real ones; tests record the calls.
class MenuServices {
public:
    virtual ~MenuServices() = default;

    // Start-up.
    virtual bool anotherInstanceRunning() = 0;
    virtual void showSplash() = 0;  // modal: returns once the splash screen has closed
    virtual void resetAlertState() = 0;
    virtual bool startupShortcutExists() = 0;
    virtual QString buildTimeServerList() = 0;  // returns the host name of the default server
    virtual void createCpuMeter(bool isNT) = 0;
    virtual std::optional<BatteryReading> readPowerStatus() = 0;
    virtual QList<QChar> enumFixedDrives() = 0;  // letters of the extra fixed drives
    virtual void showOptionsDialog(int page) = 0;
    virtual void processPendingEvents() = 0;
    virtual void showMonitorWindow() = 0;
    virtual void startSynchronisation() = 0;
    virtual void addTrayIcon(const QString& tooltip) = 0;
    virtual void hideFromTaskList() = 0;
    virtual void setHotkeyEnabled(bool enabled) = 0;
    // Starts the update check; false when no update location is configured and nothing ran.
    virtual bool testAndUpdate(bool showStatus, bool showMessage) = 0;

    // Tray commands and their further effects.
    virtual void unloadMonitorWindow() = 0;
    virtual void unloadOptionsDialog() = 0;
    virtual void showAbout() = 0;
    virtual void setMonitorTopmost(bool onTop) = 0;                        // only when the monitor is open
    virtual void setMonitorTranslucency(bool translucent, int alpha) = 0;  // only when the monitor is open
    virtual bool createStartupShortcut() = 0;  // false after telling the user it failed
    virtual void removeStartupShortcut() = 0;

    // The options dialog, while open, mirrors the tray toggles in its check boxes.
    virtual bool optionsApplyEnabled() = 0;
    virtual void setOptionsApplyEnabled(bool enabled) = 0;
    virtual void setOptionsMirrorBox(const QString& box, bool checked) = 0;
    virtual int optionsCurrentPage() = 0;

    // The hover pop-up window.
    virtual bool popupShown() = 0;
    virtual void showPopup() = 0;
    virtual void unloadPopup() = 0;
    virtual void restartPopupHideTimer() = 0;

    // Exit and unload.
    virtual int showMessageBox(const QString& text, int style, const QString& title) = 0;
    virtual void unloadWindows() = 0;  // monitor, About, message box, options, pop-up: in that order
    virtual void hideBalloon() = 0;
    virtual void stopHotkey() = 0;
    virtual void removeTrayIcon() = 0;
    virtual void endProgram() = 0;
};
