#include "app/Application.h"

#include "app/Logo.h"
#include "app/MessageBox.h"
#include "app/StartupShortcut.h"
#include "app/TrayCommands.h"
#include "app/WindowHelpers.h"
#include "monitor/PopupText.h"
#include "timesync/TimeServerTable.h"

#include <QCoreApplication>
#include <QCursor>
#include <QMessageBox>
#include <cstdio>

Application::Application(const CommandLine& commandLine, QObject* parent)
    : QObject(parent), commandLine_(commandLine) {}

Application::~Application() {
    trayIcon_.reset();  // it refers to the controller
    installHostResolver(nullptr);
}

bool Application::start() {
    if (anotherInstanceRunning()) {
        return false;
    }
    store_ = std::make_unique<IniSettingsStore>();
    if (!store_->recoveryNote().isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(store_->recoveryNote()));
    }
    settings_ = std::make_unique<AppSettings>(*store_);
    stats_ = std::make_unique<SystemInfoModule>(store_.get());
    sysInfo_ = std::make_unique<SysInfo>();
    connect(sysInfo_.get(), &SysInfo::drivesChanged, this, [this] { stats_->invalidateFixedDrives(); });
    readings_ = std::make_unique<LiveReadings>(*stats_, cpuMeterForChecks_);
    menu_ = std::make_unique<Menu>(*settings_, *this, stats_->platformFacts(), commandLine_.lowerCaseText);
    alertBalloon_ = std::make_unique<AlertBalloonView>();
    thresholdMonitor_ = std::make_unique<ThresholdMonitor>(
        *menu_, *readings_, *alertBalloon_,
        ThresholdMonitor::Screen{[this] { return trayIcon_ ? trayIcon_->geometry() : QRect(); },
                                 [] { return SysInfo::twipsPerPixelX(); },
                                 [this] { return sysInfo_->WorkAreaHeight(); },
                                 [] { QCoreApplication::processEvents(); },
                                 [this] {
                                     if (monitor_) {
                                         SetTopmost(monitor_, true);
                                     }
                                 }});
    connect(alertBalloon_.get(), &AlertBalloonView::userClosed, thresholdMonitor_.get(),
            &ThresholdMonitor::balloonClosed);
    installHostResolver(&hostResolver_);
    return menu_->load();
}

// --- Start-up ------------------------------------------------------------------------------------

bool Application::anotherInstanceRunning() {
    return !instance_.acquire();
}

void Application::showSplash() {
    Logo splash;
    splash.exec();
}

void Application::resetAlertState() {
    alertBalloon_->setTitle(QStringLiteral("Computer Threshold Violations"));
    thresholdMonitor_->reset();
}

bool Application::startupShortcutExists() {
    return StartupShortcut().exists();
}

QString Application::buildTimeServerList() {
    timeServerTable().BuildTimeServerTable();
    return TimeServerTable::defaultHost();
}

void Application::createCpuMeter(bool isNT) {
    cpuMeter_ = stats_->createCpuMeter(isNT);
    cpuMeter_->Initialize();
    cpuMeterForChecks_ = cpuMeter_.get();
    memState_ = stats_->createMemState();
}

std::optional<BatteryReading> Application::readPowerStatus() {
    stats_->RefreshSystemStatus();
    if (!stats_->powerStatusValid()) {
        return std::nullopt;
    }
    return BatteryReading{stats_->powerStatus().batteryFlag, stats_->powerStatus().batteryLifePercent};
}

QList<QChar> Application::enumFixedDrives() {
    stats_->EnumFixedDrives();
    return stats_->fixedDriveLetters();
}

void Application::showOptionsDialog(int) {}

void Application::processPendingEvents() {
    QCoreApplication::processEvents();
}

void Application::showMonitorWindow() {
    if (monitor_) {
        monitor_->raise();
        return;
    }
    monitor_ = new monitor::Display(*menu_, *stats_);
    if (!monitor_->load()) {
        monitor_.clear();
    }
}

void Application::startSynchronisation() {
    if (!syncDialog_) {
        syncDialog_ = new TimeSyncExec(*menu_, *this, commandLine_.dryRun);
    }
    syncDialog_->show();
    syncDialog_->raise();
    syncDialog_->activateWindow();
}

void Application::addTrayIcon(const QString& tooltip) {
    trayIcon_ = std::make_unique<TrayIcon>(*menu_, *this);
    trayIcon_->AddTrayIcon(tooltip);
}

void Application::hideFromTaskList() {
    // The controller never shows a window of its own, so there is nothing to hide from a task list.
}

void Application::setHotkeyEnabled(bool) {}

void Application::testAndUpdate(bool, bool) {}

// --- Tray commands ---------------------------------------------------------------------------------

void Application::unloadMonitorWindow() {
    if (monitor_) {
        monitor_->close();
    }
}

void Application::unloadOptionsDialog() {}

void Application::showAbout() {
    if (!about_) {
        about_ = new frmAbout([this] { TrayCommands(*menu_, *this).mnuVersion_Click(); });
    }
    about_->show();
    about_->raise();
    about_->activateWindow();
}

void Application::setMonitorTopmost(bool onTop) {
    if (monitor_) {
        SetTopmost(monitor_, onTop);
    }
}

void Application::setMonitorTranslucency(bool translucent, int alpha) {
    if (monitor_) {
        monitor_->setTransparent(translucent, alpha);
    }
}

bool Application::createStartupShortcut() {
    const QString target = QCoreApplication::applicationFilePath();
    const QString failure = StartupShortcut().CreateShortcut(target);
    if (!failure.isEmpty()) {
        QMessageBox::information(nullptr, QStringLiteral("Quorvane"), failure);
        return false;
    }
    return true;
}

void Application::removeStartupShortcut() {
    StartupShortcut().RemoveStartupShortcut();
}

// The options dialog is not part of the program yet: it is never open.
bool Application::optionsApplyEnabled() {
    return false;
}

void Application::setOptionsApplyEnabled(bool) {}

void Application::setOptionsMirrorBox(const QString&, bool) {}

int Application::optionsCurrentPage() {
    return 0;
}

// --- Pop-up window ---------------------------------------------------------------------------------

bool Application::pointerOnTrayIcon() const {
    return trayIcon_ && trayIcon_->contains(QCursor::pos());
}

bool Application::popupShown() {
    return popup_ && popup_->isVisible();
}

void Application::showPopup() {
    if (!popup_) {
        popupCpuMeter_ = stats_->createCpuMeter(menu_->facts().isNT);
        popupCpuMeter_->Initialize();
        Popup::Hooks hooks{
            [this] { return PopupText::build(menu_->sharedState(), *stats_, popupCpuMeter_.get()); },
            [this] { return pointerOnTrayIcon(); },
            [this] { return QSize(sysInfo_->WorkAreaWidth(), sysInfo_->WorkAreaHeight()); },
            [] { return SysInfo::twipsPerPixelX(); }};
        popup_ = new Popup(std::move(hooks));
        connect(popup_, &Popup::closeRequested, this, [this] {
            menu_->Timer2.stop();
            menu_->Timer3.stop();
            unloadPopup();
        });
    }
    popup_->popUp();
}

void Application::unloadPopup() {
    if (popup_) {
        popup_->Timer3.stop();  // no refresh between closing and deletion
        popup_->Timer4.stop();
        popup_->close();  // deletes itself
        popup_ = nullptr;
    }
    if (popupCpuMeter_) {
        popupCpuMeter_->Terminate();
        popupCpuMeter_.reset();
    }
}

void Application::restartPopupHideTimer() {
    if (!popup_) {
        return;
    }
    popup_->Timer4.stop();
    popup_->Timer4.setInterval(10000);
    QCoreApplication::processEvents();
    if (!popup_) {
        return;  // a click while events ran closed it
    }
    popup_->Timer4.setInterval(3000);
    popup_->Timer4.start();
}

// --- Exit and unload -------------------------------------------------------------------------------

int Application::showMessageBox(const QString& text, int style, const QString& title) {
    return ShowMessageBox(text, style, title);
}

void Application::unloadWindows() {
    unloadMonitorWindow();
    if (about_) {
        about_->close();
    }
    UnloadMessageBoxes();
    unloadPopup();
    if (syncDialog_) {
        syncDialog_->close();
    }
}

void Application::hideBalloon() {
    thresholdMonitor_->HideBalloon();
}

void Application::stopHotkey() {}

void Application::removeTrayIcon() {
    if (trayIcon_) {
        trayIcon_->RemoveTrayIcon();
    }
}

void Application::endProgram() {
    if (cpuMeter_) {
        cpuMeter_->Terminate();
    }
    QCoreApplication::quit();
}
