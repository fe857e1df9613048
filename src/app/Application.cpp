#include "app/Application.h"

#include "app/AppIcon.h"
#include "app/Logo.h"
#include "monitor/PopupText.h"
#include "timesync/TimeServerTable.h"
#include "update/ProgramUpdates.h"
#include "widgets/MessageBox.h"
#include "widgets/WindowHelpers.h"

#include <QCoreApplication>
#include <QCursor>
#include <QTimer>
#include <chrono>
#include <cstdio>

namespace {
constexpr int kWarningStyle = MessageBoxStyles::OkWarning;
constexpr int kSampleReuseMs = 100;
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
    // Once per run: the check marks still change, but the user must know they will not be kept. On
    // standard error at once: a write at exit has no event loop left to show the box.
    store_->setWriteFailureHandler([this](const QString& reason) {
        const QString text =
            reason + QStringLiteral(" Changed settings are used until the program ends but are not kept.");
        std::fprintf(stderr, "%s\n", qPrintable(text));
        QTimer::singleShot(0, this,
                           [text] { ShowMessageBox(text, kWarningStyle, QStringLiteral("Quorvane")); });
    });
    settings_ = std::make_unique<AppSettings>(*store_);
    stats_ = std::make_unique<SystemInfoModule>(store_.get());
    // The monitor window and the threshold check sample in the same wake-up (joinTick): one read.
    stats_->setSampleReuse(kSampleReuseMs, [] {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    });
    sysInfo_ = std::make_unique<SysInfo>();
    connect(sysInfo_.get(), &SysInfo::drivesChanged, this, [this] { stats_->invalidateFixedDrives(); });
    readings_ = std::make_unique<LiveReadings>(*stats_, cpuMeterForChecks_);
    menu_ = std::make_unique<Menu>(*settings_, *this, stats_->platformFacts(), commandLine_.lowerCaseText,
                                   &loginEntry_);
    connect(&menu_->generalOptions(), &GeneralOptions::changed, this, [this](GeneralOption option, bool on) {
        if (option == GeneralOption::Hotkey) {
            hotkeyTurnedOnByUser_ = on;
            const bool refusedBefore = !hotkeyRefusal_.isEmpty();
            setHotkeyEnabled(on);
            hotkeyTurnedOnByUser_ = false;
            if (on && refusedBefore) {  // the hotkey reports a session's refusal once per run
                std::fprintf(stderr, "quorvane: %s\n", qPrintable(hotkeyRefusal_));
                tellHotkeyError(hotkeyRefusal_, true);
            }
        }
    });
    alertBalloon_ = std::make_unique<AlertBalloonView>();
    alertNotification_ = std::make_unique<NotificationAlertView>();
    // A tray that does not say where the icon is leaves the balloon nothing to point at.
    alerts_ = std::make_unique<AlertBalloonChooser>(*alertBalloon_, *alertNotification_, [this] {
        return trayIcon_ && trayIcon_->geometry().isEmpty() && alertNotification_->serviceAvailable();
    });
    thresholdMonitor_ = std::make_unique<ThresholdMonitor>(
        ThresholdMonitor::State{menu_->menuState(), menu_->sharedState(),
                                [this] { return menu_->BatteryAvailable(); }},
        *readings_, *alerts_,
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
    alerts_->setTitle(QStringLiteral("Computer Threshold Violations"));
    options_ =
        std::make_unique<OptionsDialogHost>(menu_->live(), menu_->facts(), *this, *stats_, timeServerTable());
    installHostResolver(&hostResolver_);
    menu_->load();
    return Start::Running;
}

// On standard error and in the program's message box.
void Application::tellUser(const QString& text) {
    std::fprintf(stderr, "%s\n", qPrintable(text));
    ShowMessageBox(text, kWarningStyle, QStringLiteral("Quorvane"));
}

// --- Start-up ------------------------------------------------------------------------------------

void Application::showSplash() {
    Logo splash;
    splash.exec();
}

QString Application::buildTimeServerList() {
    timeServerTable().BuildTimeServerTable();
    return TimeServerTable::defaultHost();
}

std::optional<BatteryReading> Application::startStatistics(bool isNT) {
    cpuMeter_ = stats_->createCpuMeter(isNT);
    cpuMeter_->Initialize();
    cpuMeterForChecks_ = cpuMeter_.get();
    stats_->setRunningCpuMeter(cpuMeter_.get());
    memState_ = stats_->createMemState();
    stats_->EnumFixedDrives();
    stats_->RefreshSystemStatus();
    if (!stats_->powerStatusValid()) {
        return std::nullopt;
    }
    return BatteryReading{stats_->powerStatus().batteryFlag, stats_->powerStatus().batteryLifePercent};
}

void Application::showOptionsDialog(int page) {
    options_->show(page);
    QCoreApplication::processEvents();
}

void Application::showMonitorWindow() {
    if (monitor_) {
        monitor_->raise();
        return;
    }
    monitor_ = new monitor::Display(menu_->live(), menu_->facts().isNT, *stats_, monitorRowCount_);
    connect(monitor_, &monitor::Display::sampled, thresholdMonitor_.get(), &ThresholdMonitor::joinTick);
    // The tray's own refreshes ride on the window's samples: one wake-up per refresh, not two.
    connect(monitor_, &monitor::Display::sampled, this, [this] {
        if (liveTrayIcon_) {
            liveTrayIcon_->refreshTimer.follow();
        }
        if (trayIcon_) {
            trayIcon_->toolTip().Timer.follow();
        }
    });
    if (!monitor_->load()) {
        monitor_.clear();
    }
}

void Application::startSynchronisation() {
    if (!syncDialog_) {
        syncDialog_ = new TimeSyncExec(menu_->live(), *this, commandLine_.dryRun, options_.get());
    }
    syncDialog_->show();
    syncDialog_->raise();
    syncDialog_->activateWindow();
}

void Application::addTrayIcon(const QString& tooltip) {
    // The tooltip's own CPU meter: the pop-up's opens and closes with the window.
    trayIcon_ = std::make_unique<TrayIcon>(*menu_, *this, *this, [this] {
        if (!toolTipCpuMeter_) {
            toolTipCpuMeter_ = stats_->createCpuMeter(menu_->facts().isNT);
            toolTipCpuMeter_->Initialize();
            toolTipActivity_ = std::make_unique<ActivityMeters>(stats_->sources());
        }
        return PopupText::build(menu_->sharedState(), *stats_, toolTipCpuMeter_.get(),
                                toolTipActivity_.get());
    });
    const QString kindText = settings_->text(QStringLiteral("TrayKind"), QStringLiteral("auto"));
    const std::optional<TrayKind> kind = trayKindFromText(kindText);
    if (!kind) {
        std::fprintf(stderr,
                     "quorvane: the setting TrayKind=%s names no tray kind (auto, xembed, "
                     "statusnotifier); auto is used\n",
                     qPrintable(kindText));
    }
    trayIcon_->AddTrayIcon(tooltip, kind.value_or(TrayKind::Auto));
    liveTrayIcon_ = std::make_unique<LiveTrayIcon>(
        *stats_, menu_->facts().isNT, AppIcon::pixmap(TrayIconGraph::kSize), [this](const QPixmap& pixmap) {
            if (trayIcon_) {
                trayIcon_->setIconPixmap(pixmap);
            }
        });
    activityChoicesChanged();
}

void Application::activityChoicesChanged() {
    if (liveTrayIcon_) {
        liveTrayIcon_->setOn(menu_->sharedState().activity.trayIconGraph);
    }
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
                if (!globalHotkeys_->canGrab()) {
                    hotkeyRefusal_ = description;
                }
                tellHotkeyError(description, hotkeyTurnedOnByUser_);
            });
    hotkey_->start();
}

void Application::tellHotkeyError(const QString& description, bool userTurnedItOn) {
    // A session that never has global hotkeys (Wayland) is told once per profile, and again whenever
    // the user turns the hotkey on; standard error hears it at every start.
    const QString toldKey = QStringLiteral("HotkeyRefusalShown");
    if (!globalHotkeys_->canGrab() && !userTurnedItOn) {
        if (settings_->text(toldKey, false) == QLatin1String("True")) {
            return;
        }
        settings_->writeBoolean(toldKey, true);
    }
    // At start-up the tray may not have placed the icon yet: the notice waits a moment.
    QTimer::singleShot(1500, this, [this, description] {
        if (trayIcon_) {
            trayIcon_->showMessage(QStringLiteral("Hotkey Ctrl+Shift+C"), description);
        }
    });
}

void Application::setHotkeyEnabled(bool enabled) {
    if (!hotkey_ && enabled) {
        createHotkey();
    }
    if (hotkey_) {
        hotkey_->setEnabled(enabled);
    }
}

bool Application::checkForUpdates(bool reportCurrent) {
    if (!updates_) {
        updates_ = std::make_unique<ProgramUpdates>(*settings_, commandLine_.dryRun,
                                                    [this] { menu_->mnuExit_Click(); });
    }
    return updates_->testAndUpdate(true, reportCurrent);
}

void Application::setThresholdWatching(bool on) {
    thresholdMonitor_->setWatching(on);
}

// --- Tray commands ---------------------------------------------------------------------------------

void Application::closeMonitorWindow() {
    if (monitor_) {
        monitor_->close();
    }
}

void Application::closeOptionsDialog() {
    options_->unload();
}

void Application::showAbout() {
    if (!about_) {
        about_ = new frmAbout([this] { menu_->mnuVersion_Click(); });
    }
    about_->show();
    about_->raise();
    about_->activateWindow();
}

int Application::optionsDialogPage() {
    return options_->currentPage();
}

// --- Pop-up window ---------------------------------------------------------------------------------

bool Application::pointerOnTrayIcon() const {
    if (trayIcon_ && trayIcon_->statusNotifier()) {
        return trayIcon_->popupAnchor().contains(QCursor::pos());
    }
    return trayIcon_ && trayIcon_->contains(QCursor::pos());
}

bool Application::popupShown() {
    return popup_ && popup_->isVisible();
}

void Application::showPopup() {
    if (!popup_) {
        popupCpuMeter_ = stats_->createCpuMeter(menu_->facts().isNT);
        popupCpuMeter_->Initialize();
        popupActivity_ = std::make_unique<ActivityMeters>(stats_->sources());
        Popup::Hooks hooks{
            [this] {
                return PopupText::build(menu_->sharedState(), *stats_, popupCpuMeter_.get(),
                                        popupActivity_.get());
            },
            [this] { return pointerOnTrayIcon(); },
            [this] { return QSize(sysInfo_->WorkAreaWidth(), sysInfo_->WorkAreaHeight()); },
            [] { return SysInfo::twipsPerPixelX(); },
            [this] { return trayIcon_ ? trayIcon_->geometry() : QRect(); },
            [this] { return trayIcon_ && trayIcon_->statusNotifier() ? trayIcon_->popupAnchor() : QRect(); }};
        popup_ = new Popup(std::move(hooks));
        connect(popup_, &Popup::closeRequested, this, [this] {
            if (trayIcon_) {
                trayIcon_->hover().stop();  // which closes the pop-up
            } else {
                closePopup();
            }
        });
    }
    popup_->popUp();
}

void Application::closePopup() {
    if (popup_) {
        popup_->unload();
        popup_ = nullptr;
    }
    popupActivity_.reset();
    if (popupCpuMeter_) {
        popupCpuMeter_->Terminate();
        popupCpuMeter_.reset();
    }
}

void Application::restartPopupHideTimer() {
    if (popup_) {
        popup_->restartHideTimer();
    }
}

// --- Exit and unload -------------------------------------------------------------------------------

int Application::showMessageBox(const QString& text, int style, const QString& title) {
    return ShowMessageBox(text, style, title);
}

void Application::shutDown() {
    closeMonitorWindow();
    if (about_) {
        about_->close();
    }
    UnloadMessageBoxes();
    closeOptionsDialog();
    closePopup();
    if (updates_) {
        updates_->unload();
    }
    if (syncDialog_) {
        syncDialog_->close();
    }
    setHotkeyEnabled(false);
    if (hotkey_) {
        hotkey_->StopHotkey();
    }
    liveTrayIcon_.reset();
    if (trayIcon_) {
        trayIcon_->RemoveTrayIcon();
    }
    if (toolTipCpuMeter_) {
        toolTipCpuMeter_->Terminate();
    }
    if (cpuMeter_) {
        cpuMeter_->Terminate();
    }
    QCoreApplication::quit();
}
