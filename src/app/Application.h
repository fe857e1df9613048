#pragma once

#include "app/AlertBalloonChooser.h"
#include "app/AlertBalloonView.h"
#include "settings/AppSettings.h"
#include "app/CommandLine.h"
#include "app/LiveReadings.h"
#include "app/Menu.h"
#include "app/MenuServices.h"
#include "app/SingleInstance.h"
#include "app/ThresholdMonitor.h"
#include "app/TrayIcon.h"
#include "app/frmAbout.h"
#include "hotkey/VBHotKey.h"
#include "monitor/Display.h"
#include "monitor/Popup.h"
#include "options/OptionsDialogHost.h"
#include "platform/GlobalHotkeys.h"
#include "platform/linux/IniSettingsStore.h"
#include "stats/CpuMeter.h"
#include "stats/SysInfo.h"
#include "stats/SystemInfoModule.h"
#include "timesync/SystemHostResolver.h"
#include "timesync/TimeSyncExec.h"

#include <QObject>
#include <QPointer>
#include <memory>

class ProgramUpdates;

// The running program: wires the controller to the real settings file, windows and subsystems.
class Application : public QObject, public MenuServices {
    Q_OBJECT

public:
    explicit Application(const CommandLine& commandLine, QObject* parent = nullptr);
    ~Application() override;

    enum class Start { Running, AnotherCopyRuns, Failed };
    // Runs start-up. AnotherCopyRuns: this copy ends quietly; Failed: it could not start, and said why.
    Start start();

    Menu& menu() { return *menu_; }
    const CommandLine& commandLine() const { return commandLine_; }
    TrayIcon* trayIcon() { return trayIcon_.get(); }
    SystemInfoModule& stats() { return *stats_; }
    SysInfo& sysInfo() { return *sysInfo_; }

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
    bool testAndUpdate(bool showStatus, bool showMessage) override;
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
    bool pointerOnTrayIcon() const;
    void tellUser(const QString& text);
    void createHotkey();

    CommandLine commandLine_;
    SingleInstance instance_;
    std::unique_ptr<IniSettingsStore> store_;
    std::unique_ptr<AppSettings> settings_;
    std::unique_ptr<Menu> menu_;
    std::unique_ptr<TrayIcon> trayIcon_;
    std::unique_ptr<SystemInfoModule> stats_;
    std::unique_ptr<CpuMeter> cpuMeter_;
    CpuMeter* cpuMeterForChecks_ = nullptr;
    std::unique_ptr<CMemState> memState_;
    std::unique_ptr<SysInfo> sysInfo_;
    std::unique_ptr<LiveReadings> readings_;
    QPointer<Popup> popup_;
    QPointer<monitor::Display> monitor_;
    SystemHostResolver hostResolver_;
    QPointer<TimeSyncExec> syncDialog_;
    QPointer<frmAbout> about_;
    std::unique_ptr<AlertBalloonView> alertBalloon_;
    std::unique_ptr<NotificationAlertView> alertNotification_;
    std::unique_ptr<AlertBalloonChooser> alerts_;
    std::unique_ptr<ThresholdMonitor> thresholdMonitor_;
    std::unique_ptr<CpuMeter> popupCpuMeter_;
    std::unique_ptr<GlobalHotkeys> globalHotkeys_;
    std::unique_ptr<VBHotKey> hotkey_;
    std::unique_ptr<ProgramUpdates> updates_;
    std::unique_ptr<OptionsDialogHost> options_;  // last: its dialog refers to the controller
};
