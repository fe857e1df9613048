#pragma once

#include "app/AppSettings.h"
#include "app/CommandLine.h"
#include "app/Menu.h"
#include "app/MenuServices.h"
#include "app/SingleInstance.h"
#include "app/TrayIcon.h"
#include "platform/IniSettingsStore.h"

#include <QObject>
#include <memory>

// The running program: wires the controller to the real settings file, windows and subsystems.
class Application : public QObject, public MenuServices {
    Q_OBJECT

public:
    explicit Application(const CommandLine& commandLine, QObject* parent = nullptr);
    ~Application() override;

    // Runs start-up; false when another copy is running and this one should end quietly.
    bool start();

    Menu& menu() { return *menu_; }
    const CommandLine& commandLine() const { return commandLine_; }
    TrayIcon* trayIcon() { return trayIcon_.get(); }

    // MenuServices
    bool anotherInstanceRunning() override;
    void showSplash() override;
    void resetAlertState() override;
    bool startupShortcutExists() override;
    QString buildTimeServerList() override;
    void createCpuMeter(bool isNT) override;
    std::optional<BatteryReading> readPowerStatus() override;
    QList<QChar> enumFixedDrives() override;
    void showOptionsDialog(int page) override;
    void processPendingEvents() override;
    void showMonitorWindow() override;
    void startSynchronisation() override;
    void addTrayIcon(const QString& tooltip) override;
    void hideFromTaskList() override;
    void setHotkeyEnabled(bool enabled) override;
    void testAndUpdate(bool showStatus, bool showMessage) override;
    void unloadMonitorWindow() override;
    void unloadOptionsDialog() override;
    void showAbout() override;
    void setMonitorTopmost(bool onTop) override;
    void setMonitorTranslucency(bool translucent, int alpha) override;
    bool createStartupShortcut() override;
    void removeStartupShortcut() override;
    bool optionsApplyEnabled() override;
    void setOptionsApplyEnabled(bool enabled) override;
    void setOptionsMirrorBox(const QString& box, bool checked) override;
    int optionsCurrentPage() override;
    bool popupShown() override;
    void showPopup() override;
    void unloadPopup() override;
    void restartPopupHideTimer() override;
    int showMessageBox(const QString& text, int style, const QString& title) override;
    void unloadWindows() override;
    void hideBalloon() override;
    void stopHotkey() override;
    void removeTrayIcon() override;
    void endProgram() override;

private:
    CommandLine commandLine_;
    SingleInstance instance_;
    std::unique_ptr<IniSettingsStore> store_;
    std::unique_ptr<AppSettings> settings_;
    std::unique_ptr<Menu> menu_;
    std::unique_ptr<TrayIcon> trayIcon_;
};
