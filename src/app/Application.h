#pragma once

#include "app/AlertBalloonChooser.h"
#include "app/AlertBalloonView.h"
#include "app/CommandLine.h"
#include "app/LiveReadings.h"
#include "app/LiveTrayIcon.h"
#include "app/LoginStartupEntry.h"
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
#include "options/OptionsHost.h"
#include "platform/GlobalHotkeys.h"
#include "platform/linux/IniSettingsStore.h"
#include "settings/AppSettings.h"
#include "stats/ActivityMeters.h"
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
// Each interface it implements belongs to the class that asks.
class Application : public QObject,
                    public MenuServices,
                    public TrayCommands::Host,
                    public TrayHover::Host,
                    public OptionsHost,
                    public TimeSyncHost {
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

    // MenuServices, and where the names meet, the other hosts
    void showSplash() override;
    QString buildTimeServerList() override;
    std::optional<BatteryReading> startStatistics(bool isNT) override;
    void showOptionsDialog(int page) override;
    void showMonitorWindow() override;
    void startSynchronisation() override;
    void addTrayIcon(const QString& tooltip) override;
    void setHotkeyEnabled(bool enabled) override;
    void setThresholdWatching(bool on) override;
    void activityChoicesChanged() override;
    bool checkForUpdates(bool reportCurrent) override;
    int showMessageBox(const QString& text, int style, const QString& title) override;
    void shutDown() override;

    // TrayCommands::Host
    void closeMonitorWindow() override;
    void closeOptionsDialog() override;
    void showAbout() override;

    // TrayHover::Host
    bool popupShown() override;
    void showPopup() override;
    void closePopup() override;
    void restartPopupHideTimer() override;
    int optionsDialogPage() override;

private:
    bool pointerOnTrayIcon() const;
    void tellUser(const QString& text);
    void createHotkey();
    void tellHotkeyError(const QString& description, bool userTurnedItOn);

    CommandLine commandLine_;
    SingleInstance instance_;
    LoginStartupEntry loginEntry_;
    std::unique_ptr<IniSettingsStore> store_;
    std::unique_ptr<AppSettings> settings_;
    std::unique_ptr<Menu> menu_;
    std::unique_ptr<TrayIcon> trayIcon_;
    std::unique_ptr<LiveTrayIcon> liveTrayIcon_;
    std::unique_ptr<SystemInfoModule> stats_;
    std::unique_ptr<CpuMeter> cpuMeter_;
    CpuMeter* cpuMeterForChecks_ = nullptr;
    std::unique_ptr<CMemState> memState_;
    std::unique_ptr<SysInfo> sysInfo_;
    std::unique_ptr<LiveReadings> readings_;
    QPointer<Popup> popup_;
    QPointer<monitor::Display> monitor_;
    qint16 monitorRowCount_ = 0;  // the monitor's previousRowCount, kept while it is closed
    SystemHostResolver hostResolver_;
    QPointer<TimeSyncExec> syncDialog_;
    QPointer<frmAbout> about_;
    std::unique_ptr<AlertBalloonView> alertBalloon_;
    std::unique_ptr<NotificationAlertView> alertNotification_;
    std::unique_ptr<AlertBalloonChooser> alerts_;
    std::unique_ptr<ThresholdMonitor> thresholdMonitor_;
    std::unique_ptr<CpuMeter> popupCpuMeter_;
    std::unique_ptr<CpuMeter> toolTipCpuMeter_;
    std::unique_ptr<ActivityMeters> toolTipActivity_;
    std::unique_ptr<ActivityMeters> popupActivity_;
    std::unique_ptr<GlobalHotkeys> globalHotkeys_;
    std::unique_ptr<VBHotKey> hotkey_;
    bool hotkeyTurnedOnByUser_ = false;  // while the user's switch turns it on
    QString hotkeyRefusal_;              // why this session has no global hotkeys, once told
    std::unique_ptr<ProgramUpdates> updates_;
    std::unique_ptr<OptionsDialogHost> options_;  // last: its dialog refers to the controller
};
