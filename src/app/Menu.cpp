#include "app/Menu.h"

#include "settings/SettingsConversions.h"
#include "widgets/MessageBoxCodes.h"

namespace {
const QString kTrayTooltip = QStringLiteral(" Quorvane");
constexpr int kExitPromptStyle = MessageBoxStyles::YesNoQuestion;
constexpr int kResultYes = MessageBoxResult::Yes;
constexpr int kOptionsFirstPage = 0;

void assign(qint16& target, std::optional<qint16> value) {
    if (value) {
        target = *value;
    }
}
}  // namespace

Menu::Menu(AppSettings& settings, MenuServices& services, PlatformFacts facts, QString commandLine,
           StartupEntry* startupEntry, Clock now, QObject* parent)
    : QObject(parent),
      settings_(settings),
      services_(services),
      facts_(facts),
      commandLine_(commandLine.toLower()),
      now_(std::move(now)),
      generalOptions_(settings, menuState_, startupEntry) {}

QString Menu::exitPromptText() {
    return QStringLiteral("Are you sure you wish to exit the\r\nQuorvane program?\r\n");
}

void Menu::load() {
    if (settings_.actionFlag(QStringLiteral("ShowSplash"), 1)) {
        services_.showSplash();
    }

    facts_.statsFamily = PlatformFacts::statsFamilyFor(facts_.windowsKind);
    generalOptions_.readStored(facts_.isNT);

    sharedState_.currentServerHost =
        settings_.text(QStringLiteral("TimeServer"), services_.buildTimeServerList());
    assign(sharedState_.autoSyncDays, settings_.int16(QStringLiteral("AutoSyncDays"), 7));

    readBatteryAvailability(services_.startStatistics(facts_.isNT));

    menuState_.setSomethingToShow(false);
    menuState_.mnuMonitor.checked = false;
    menuState_.mnuMonitor.enabled = false;

    if (settings_.text(QStringLiteral("Defined"), QString()) != QLatin1String("Yes")) {
        // First run: nothing is shown or watched until the options dialog has been saved.
        assign(sharedState_.transparentLevel, settings_.int16(QStringLiteral("TransparentLevel"), 75));
        services_.showOptionsDialog(kOptionsFirstPage);
    } else {
        readWatchedItems();
    }

    if (menuState_.mnuMonitor.enabled) {
        if (const auto stored = settings_.checkMark(QStringLiteral("MonitorLevels"), false)) {
            menuState_.mnuMonitor.checked = *stored;
        }
    }
    services_.setThresholdWatching(menuState_.mnuMonitor.checked);

    assign(sharedState_.transparentLevel, settings_.int16(QStringLiteral("TransparentLevel"), 75));

    if (settings_.actionFlag(QStringLiteral("ShowStatsAtStartup"), 0)) {
        services_.showMonitorWindow();
    }
    if (menuState_.mnuSyncAtStart.checked && synchronisationDue()) {
        services_.startSynchronisation();
    }

    services_.addTrayIcon(kTrayTooltip);
    services_.setHotkeyEnabled(menuState_.mnuHotkey.checked);
    if (menuState_.mnuUpdateCheckAtStart.checked) {
        CheckForUpdatesDaily();
    }
}

void Menu::readBatteryAvailability(const std::optional<BatteryReading>& power) {
    batteryAvailable_ = false;
    if (!power) {
        return;
    }
    int flag = power->batteryFlag;
    if (flag == 0 && power->batteryLifePercent > 0) {
        flag = power->batteryLifePercent;
    }
    batteryAvailable_ = flag > 0 && flag != 128;
}

void Menu::readWatchedItems() {
    for (int index = 0; index < kFixedItemCount; ++index) {
        const QString suffix = statisticSuffix(index);
        if (const auto shown =
                SettingsConversions::toBoolean(settings_.text(QStringLiteral("Show") + suffix, 0))) {
            sharedState_.showItem[index] = *shown;
        }
        assign(sharedState_.itemLevel[index], settings_.int16(QStringLiteral("Level") + suffix, 0));
    }
    // Every letter, mounted now or not: a drive mounted later in this run keeps its letter and
    // must show and be watched as its settings say.
    for (int index = 0; index < kExtraDriveCount; ++index) {
        const QString suffix = driveSuffix(driveLetter(index));
        if (const auto shown =
                SettingsConversions::toBoolean(settings_.text(QStringLiteral("Show") + suffix, 0))) {
            sharedState_.showDrive[index] = *shown;
        }
        assign(sharedState_.driveLevel[index], settings_.int16(QStringLiteral("Level") + suffix, 0));
    }
    sharedState_.activity.read(settings_);
    menuState_.setSomethingToShow(sharedState_.anyShown());
    menuState_.mnuMonitor.enabled = sharedState_.anyWatched();
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
    if (!services_.checkForUpdates(false)) {
        return;  // no check ran, so none is recorded
    }
    settings_.writeDateTime(QStringLiteral("UpdateCheckLast"), current);
}

void Menu::mnuMonitor_Click() {
    MenuItemState& monitor = menuState_.mnuMonitor;
    monitor.checked = !monitor.checked;
    services_.setThresholdWatching(monitor.checked);
    settings_.writeBoolean(QStringLiteral("MonitorLevels"), monitor.checked);
}

void Menu::mnuVersion_Click() {
    services_.checkForUpdates(true);
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
    services_.setThresholdWatching(false);
    services_.shutDown();
}
