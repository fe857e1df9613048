#include "app/Application.h"

#include "app/Logo.h"
#include "widgets/MessageBox.h"
#include "app/StartupShortcut.h"
#include "app/TrayCommands.h"
#include "widgets/WindowHelpers.h"
#include "monitor/PopupText.h"
#include "timesync/TimeServerTable.h"
#include "update/ProgramUpdates.h"

#include <QCoreApplication>
#include <QCursor>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>

namespace {
constexpr int kWarningStyle = 48;  // OK, exclamation mark
}  // namespace

Application::Application(const CommandLine& commandLine, QObject* parent)
    : QObject(parent), commandLine_(commandLine) {}

Application::~Application() {
    trayIcon_.reset();  // it refers to the controller
    installHostResolver(nullptr);
}

Application::Start Application::start() {
    const SingleInstance::Result lock = instance_.acquire();
    if (lock.outcome == SingleInstance::Outcome::HeldByAnotherCopy) {
        return Start::AnotherCopyRuns;
    }
    if (lock.outcome == SingleInstance::Outcome::Failed) {
        tellUser(lock.reason);
        return Start::Failed;
    }
    store_ = std::make_unique<IniSettingsStore>();
    if (!store_->recoveryNote().isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(store_->recoveryNote()));
    }
    // Once per run: the check marks still change, but the user must know they will not be kept.
    store_->setWriteFailureHandler([this](const QString& reason) {
        const QString text =
            reason + QStringLiteral(" Changed settings are used until the program ends but are not kept.");
        QMetaObject::invokeMethod(
            this, [this, text] { tellUser(text); }, Qt::QueuedConnection);
    });
    settings_ = std::make_unique<AppSettings>(*store_);
    stats_ = std::make_unique<SystemInfoModule>(store_.get());
    sysInfo_ = std::make_unique<SysInfo>();
    connect(sysInfo_.get(), &SysInfo::drivesChanged, this, [this] { stats_->invalidateFixedDrives(); });
    readings_ = std::make_unique<LiveReadings>(*stats_, cpuMeterForChecks_);
    menu_ = std::make_unique<Menu>(*settings_, *this, stats_->platformFacts(), commandLine_.lowerCaseText);
    alertBalloon_ = std::make_unique<AlertBalloonView>();
    alertNotification_ = std::make_unique<NotificationAlertView>();
    // A tray that does not say where the icon is leaves the balloon nothing to point at.
    alerts_ = std::make_unique<AlertBalloonChooser>(*alertBalloon_, *alertNotification_, [this] {
        return trayIcon_ && trayIcon_->geometry().isEmpty() && alertNotification_->serviceAvailable();
    });
    thresholdMonitor_ = std::make_unique<ThresholdMonitor>(
        *menu_, *readings_, *alerts_,
        ThresholdMonitor::Screen{[this] { return trayIcon_ ? trayIcon_->geometry() : QRect(); },
                                 [] { return SysInfo::twipsPerPixelX(); },
                                 [this] { return sysInfo_->WorkAreaHeight(); },
                                 [] { QCoreApplication::processEvents(); },
                                 [this] {
                                     if (monitor_) {
                                         SetTopmost(monitor_, true);
                                     }
                                 }});
    connect(alerts_.get(), &AlertBalloonChooser::userClosed, thresholdMonitor_.get(),
            &ThresholdMonitor::balloonClosed);
    options_ = std::make_unique<OptionsDialogHost>(*menu_, *this, *stats_, timeServerTable());
    installHostResolver(&hostResolver_);
    return menu_->load() ? Start::Running : Start::AnotherCopyRuns;
}

// On standard error and in the program's message box.
void Application::tellUser(const QString& text) {
    std::fprintf(stderr, "%s\n", qPrintable(text));
    ShowMessageBox(text, kWarningStyle, QStringLiteral("Quorvane"));
}

// --- Start-up ------------------------------------------------------------------------------------

bool Application::anotherInstanceRunning() {
    return instance_.acquire().outcome != SingleInstance::Outcome::Acquired;
}

void Application::showSplash() {
    Logo splash;
    splash.exec();
}

void Application::resetAlertState() {
    alerts_->setTitle(QStringLiteral("Computer Threshold Violations"));
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
    stats_->setRunningCpuMeter(cpuMeter_.get());
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

void Application::showOptionsDialog(int page) {
    options_->show(page);
}

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
        syncDialog_ = new TimeSyncExec(*menu_, *this, commandLine_.dryRun, options_.get());
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

// The controller's hotkey: Ctrl+Shift+C, grabbed once "UseHotkey" switches it on.
void Application::createHotkey() {
    globalHotkeys_ = createGlobalHotkeys();
    hotkey_ = std::make_unique<VBHotKey>(*globalHotkeys_);
    hotkey_->setShiftKey(true);
    hotkey_->setCtrlKey(true);
    hotkey_->setVKey('C');
    hotkey_->setWinKey(false);
    hotkey_->setEnabled(false);
    connect(hotkey_.get(), &VBHotKey::HotkeyPressed, this, [this] {
        if (trayIcon_) {
            trayIcon_->commands().hotkeyPressed(hotkey_->Enabled());
        }
    });
    connect(hotkey_.get(), &VBHotKey::HotkeyError, this,
            [this](const QString& description, const QString& source) {
                std::fprintf(stderr, "quorvane: %s: %s\n", qPrintable(source), qPrintable(description));
                // At start-up the tray may not have placed the icon yet: the notice waits a moment.
                QTimer::singleShot(1500, this, [this, description] {
                    if (trayIcon_) {
                        trayIcon_->showMessage(QStringLiteral("Hotkey Ctrl+Shift+C"), description);
                    }
                });
            });
    hotkey_->start();
}

void Application::setHotkeyEnabled(bool enabled) {
    if (!hotkey_ && enabled) {
        createHotkey();
    }
    if (hotkey_) {
        hotkey_->setEnabled(enabled);
    }
}

bool Application::testAndUpdate(bool showStatus, bool showMessage) {
    if (!updates_) {
        updates_ = std::make_unique<ProgramUpdates>(*settings_, commandLine_.dryRun,
                                                    [this] { menu_->mnuExit_Click(); });
    }
    return updates_->testAndUpdate(showStatus, showMessage);
}

// --- Tray commands ---------------------------------------------------------------------------------

void Application::unloadMonitorWindow() {
    if (monitor_) {
        monitor_->close();
    }
}

void Application::unloadOptionsDialog() {
    options_->unload();
}

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

bool Application::optionsApplyEnabled() {
    return options_->applyEnabled();
}

void Application::setOptionsApplyEnabled(bool enabled) {
    options_->setApplyEnabled(enabled);
}

void Application::setOptionsMirrorBox(const QString& box, bool checked) {
    options_->setMirrorBox(box, checked);
}

int Application::optionsCurrentPage() {
    return options_->currentPage();
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
            [] { return SysInfo::twipsPerPixelX(); },
            [this] { return trayIcon_ ? trayIcon_->geometry() : QRect(); }};
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
    unloadOptionsDialog();
    unloadPopup();
    if (updates_) {
        updates_->unload();
    }
    if (syncDialog_) {
        syncDialog_->close();
    }
}

void Application::hideBalloon() {
    thresholdMonitor_->HideBalloon();
}

void Application::stopHotkey() {
    if (hotkey_) {
        hotkey_->StopHotkey();
    }
}

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
