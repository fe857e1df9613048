#include "app/Application.h"

#include "app/MessageBox.h"
#include "app/StartupShortcut.h"
#include "timesync/TimeServerTable.h"

#include "monitor/PopupText.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QMessageBox>
#include <cstdio>

Application::Application(const CommandLine& commandLine, QObject* parent)
    : QObject(parent), commandLine_(commandLine) {}

Application::~Application() {
    trayIcon_.reset();  // it refers to the controller
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
    return menu_->load();
}

bool Application::anotherInstanceRunning() {
    return !instance_.acquire();
}

void Application::showSplash() {}

void Application::resetAlertState() {}

bool Application::startupShortcutExists() {
    return false;
}

QString Application::buildTimeServerList() {
    return {};
}

void Application::createCpuMeter(bool) {}

std::optional<BatteryReading> Application::readPowerStatus() {
    return std::nullopt;
}

QList<QChar> Application::enumFixedDrives() {
    return {};
}

void Application::showOptionsDialog(int) {}

void Application::processPendingEvents() {
    QCoreApplication::processEvents();
}

void Application::showMonitorWindow() {}

void Application::startSynchronisation() {}

void Application::addTrayIcon(const QString& tooltip) {
    trayIcon_ = std::make_unique<TrayIcon>(*menu_, *this);
    trayIcon_->AddTrayIcon(tooltip);
}

void Application::hideFromTaskList() {
    // The controller never shows a window of its own, so there is nothing to hide from a task list.
}

void Application::setHotkeyEnabled(bool) {}

void Application::testAndUpdate(bool, bool) {}

void Application::unloadMonitorWindow() {}

void Application::unloadOptionsDialog() {}

void Application::showAbout() {}

void Application::setMonitorTopmost(bool) {}

void Application::setMonitorTranslucency(bool, int) {}

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

bool Application::popupShown() {
    return false;
}

void Application::showPopup() {}

void Application::unloadPopup() {}

void Application::restartPopupHideTimer() {}

int Application::showMessageBox(const QString&, int, const QString&) {
    return 0;
}

void Application::unloadWindows() {
    UnloadMessageBoxes();
    unloadPopup();
}

void Application::hideBalloon() {}

void Application::stopHotkey() {}

void Application::removeTrayIcon() {
    if (trayIcon_) {
        trayIcon_->RemoveTrayIcon();
    }
}

void Application::endProgram() {
    QCoreApplication::quit();
}
