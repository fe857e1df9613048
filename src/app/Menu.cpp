#include "app/Menu.h"

#include "settings/SettingsConversions.h"

namespace {
const QString kTrayTooltip = QStringLiteral(" Quorvane");
constexpr int kExitPromptStyle = 4 + 32;  // Yes and No, question mark
constexpr int kResultYes = 6;
constexpr int kOptionsFirstPage = 0;
constexpr int kThresholdFirstTickMs = 5000;

void setChecked(MenuItemState& item, std::optional<bool> value) {
    if (value) {
        item.checked = *value;
    }
}

void assign(qint16& target, std::optional<qint16> value) {
    if (value) {
        target = *value;
    }
}
}  // namespace

Menu::Menu(AppSettings& settings, MenuServices& services, PlatformFacts facts, QString commandLine, Clock now,
           QObject* parent)
    : QObject(parent),
      settings_(settings),
      services_(services),
      facts_(facts),
      commandLine_(commandLine.toLower()),
      now_(std::move(now)) {
    Timer1.setInterval(kThresholdFirstTickMs);
    Timer2.setInterval(1000);
    Timer3.setInterval(200);
}

QString Menu::exitPromptText() {
    return QStringLiteral("Are you sure you wish to exit the\r\nQuorvane program?\r\n");
}

bool Menu::load() {
    if (services_.anotherInstanceRunning()) {
        return false;
    }
    if (settings_.actionFlag(QStringLiteral("ShowSplash"), 1)) {
        services_.showSplash();
    }
    services_.resetAlertState();

    facts_.statsFamily = PlatformFacts::statsFamilyFor(facts_.windowsKind);
    menuState_.mnuStartup.checked = services_.startupShortcutExists();
    readCheckMarks();

    sharedState_.currentServerHost =
        settings_.text(QStringLiteral("TimeServer"), services_.buildTimeServerList());
    setChecked(menuState_.mnuSyncAtStart, settings_.checkMark(QStringLiteral("TimeSyncOnStart"), false));
    assign(sharedState_.autoSyncDays, settings_.int16(QStringLiteral("AutoSyncDays"), 7));

    services_.createCpuMeter(facts_.isNT);
    readBatteryAvailability();

    menuState_.mnuDisplay.enabled = false;
    menuState_.mnuMonitor.checked = false;
    menuState_.mnuMonitor.enabled = false;

    if (settings_.text(QStringLiteral("Defined"), QString()) != QLatin1String("Yes")) {
        // First run: nothing is shown or watched until the options dialog has been saved.
        assign(sharedState_.transparentLevel, settings_.int16(QStringLiteral("TransparentLevel"), 75));
        services_.showOptionsDialog(kOptionsFirstPage);
        services_.processPendingEvents();
    } else {
        readWatchedItems();
    }

    previousRowCount = 0;
    if (menuState_.mnuMonitor.enabled) {
        setChecked(menuState_.mnuMonitor, settings_.checkMark(QStringLiteral("MonitorLevels"), false));
    }
    Timer1.setInterval(kThresholdFirstTickMs);
    if (menuState_.mnuMonitor.checked) {
        Timer1.start();
    } else {
        Timer1.stop();
    }

    sharedState_.transparentChecked = menuState_.mnuTransparent.checked;
    assign(sharedState_.transparentLevel, settings_.int16(QStringLiteral("TransparentLevel"), 75));

    if (settings_.actionFlag(QStringLiteral("ShowStatsAtStartup"), 0)) {
        services_.showMonitorWindow();
    }
    if (menuState_.mnuSyncAtStart.checked && synchronisationDue()) {
        services_.startSynchronisation();
    }

    services_.addTrayIcon(kTrayTooltip);
    services_.hideFromTaskList();
    services_.setHotkeyEnabled(menuState_.mnuHotkey.checked);
    if (menuState_.mnuUpdateCheckAtStart.checked) {
        CheckForUpdatesDaily();
    }
    return true;
}

void Menu::readCheckMarks() {
    setChecked(menuState_.mnuSplash, settings_.checkMark(QStringLiteral("ShowSplash"), true));
    setChecked(menuState_.mnuUpdateCheckAtStart, settings_.checkMark(QStringLiteral("VersionCheck"), true));
    setChecked(menuState_.mnuStartupMonitor, settings_.checkMark(QStringLiteral("ShowStatsAtStartup"), true));
    setChecked(menuState_.mnuOnTop, settings_.checkMark(QStringLiteral("ShowOnTop"), true));
    if (facts_.isNT) {
        menuState_.mnuTransparent.enabled = true;
        setChecked(menuState_.mnuTransparent, settings_.checkMark(QStringLiteral("ShowTransparent"), true));
    } else {
        menuState_.mnuTransparent.checked = false;
        menuState_.mnuTransparent.enabled = false;
    }
    setChecked(menuState_.mnuHotkey, settings_.checkMark(QStringLiteral("UseHotkey"), true));
    setChecked(menuState_.mnuMonitorBalloon, settings_.checkMark(QStringLiteral("ShowMonitorBalloon"), true));
    setChecked(menuState_.mnuQuickDisplay, settings_.checkMark(QStringLiteral("ShowQuickDisplay"), true));
    setChecked(menuState_.mnuExitPrompt, settings_.checkMark(QStringLiteral("ShowExitPrompt"), true));
}

void Menu::readBatteryAvailability() {
    BatteryAvailable = false;
    const std::optional<BatteryReading> power = services_.readPowerStatus();
    if (!power) {
        return;
    }
    int flag = power->batteryFlag;
    if (flag == 0 && power->batteryLifePercent > 0) {
        flag = power->batteryLifePercent;
    }
    BatteryAvailable = flag > 0 && flag != 128;
}

void Menu::readWatchedItems() {
    for (int index = 0; index < kFixedItemCount; ++index) {
        const QString suffix = statisticSuffix(index);
        if (const auto shown =
                SettingsConversions::toBoolean(settings_.text(QStringLiteral("Show") + suffix, 0))) {
            sharedState_.showItem[index] = *shown;
        }
    }
    if (sharedState_.anyShown()) {
        menuState_.mnuDisplay.enabled = true;
    }
    for (int index = 0; index < kFixedItemCount; ++index) {
        assign(sharedState_.itemLevel[index],
               settings_.int16(QStringLiteral("Level") + statisticSuffix(index), 0));
    }
    if (sharedState_.anyWatched()) {
        menuState_.mnuMonitor.enabled = true;
    }

    fixedDrives = services_.enumFixedDrives();
    // Every letter, mounted now or not: a drive mounted later in this run keeps its letter and
    // must show and be watched as its settings say.
    for (int index = 0; index < kExtraDriveCount; ++index) {
        const QChar letter = driveLetter(index);
        const QString suffix = driveSuffix(letter);
        if (const auto shown =
                SettingsConversions::toBoolean(settings_.text(QStringLiteral("Show") + suffix, 0))) {
            sharedState_.showDrive[index] = *shown;
            if (*shown) {
                menuState_.mnuDisplay.enabled = true;
            }
        }
        assign(sharedState_.driveLevel[index], settings_.int16(QStringLiteral("Level") + suffix, 0));
        if (sharedState_.driveLevel[index] > 0) {
            menuState_.mnuMonitor.enabled = true;
        }
    }
}

bool Menu::synchronisationDue() const {
    if (commandLine_.contains(QLatin1String("/sync"))) {
        return true;
    }
    const QDateTime current = now_();
    const auto previous =
        settings_.dateTime(QStringLiteral("PreviousAutoSync"), current.addDays(-sharedState_.autoSyncDays));
    if (!previous) {
        return true;  // an unreadable date counts as long past
    }
    return previous->date().daysTo(current.date()) >= sharedState_.autoSyncDays;
}

void Menu::CheckForUpdatesDaily() {
    const QDateTime current = now_();
    const auto last = settings_.dateTime(QStringLiteral("UpdateCheckLast"), current.addYears(-1));
    // An unreadable date must not stop the daily check for good: it counts as long past.
    if (last && last->date().daysTo(current.date()) == 0) {
        return;
    }
    if (!services_.testAndUpdate(true, false)) {
        return;  // no check ran, so none is recorded
    }
    settings_.writeDateTime(QStringLiteral("UpdateCheckLast"), current);
}

void Menu::mnuExit_Click() {
    if (menuState_.mnuExitPrompt.checked &&
        services_.showMessageBox(exitPromptText(), kExitPromptStyle, QStringLiteral("Exit")) != kResultYes) {
        return;
    }
    unload();
}

void Menu::unload() {
    if (unloaded_) {
        return;
    }
    unloaded_ = true;
    services_.unloadWindows();
    services_.hideBalloon();
    services_.setHotkeyEnabled(false);
    services_.stopHotkey();
    services_.removeTrayIcon();
    Timer1.stop();
    Timer2.stop();
    Timer3.stop();
    services_.endProgram();
}
