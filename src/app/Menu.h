#pragma once

#include "app/MenuServices.h"
#include "platform/PlatformFacts.h"
#include "settings/AppSettings.h"
#include "settings/GeneralOptions.h"
#include "settings/LiveOptions.h"
#include "settings/SharedSettingsState.h"
#include "settings/TrayMenuState.h"

#include <QDateTime>
#include <QObject>
#include <functional>

class StartupEntry;

// The program's hidden main object: runs start-up and shutdown and owns the live option state
// (the tray menu's items, the shared settings state and the general options' model).
class Menu : public QObject {
    Q_OBJECT

public:
    using Clock = std::function<QDateTime()>;

    Menu(AppSettings& settings, MenuServices& services, PlatformFacts facts, QString commandLine,
         StartupEntry* startupEntry, Clock now = &QDateTime::currentDateTime, QObject* parent = nullptr);

    // The start-up sequence, once this copy holds the single-instance lock.
    void load();
    void CheckForUpdatesDaily();
    // Threshold watching on or off, remembered in "MonitorLevels".
    void mnuMonitor_Click();
    // The user asks for a check: the answer is shown also when the program is up to date.
    void mnuVersion_Click();
    void mnuExit_Click();
    void unload();

    TrayMenuState& menuState() { return menuState_; }
    const TrayMenuState& menuState() const { return menuState_; }
    SharedSettingsState& sharedState() { return sharedState_; }
    const SharedSettingsState& sharedState() const { return sharedState_; }
    GeneralOptions& generalOptions() { return generalOptions_; }
    AppSettings& settings() { return settings_; }
    LiveOptions live() { return {settings_, menuState_, sharedState_, generalOptions_}; }
    const PlatformFacts& facts() const { return facts_; }
    const QString& commandLine() const { return commandLine_; }
    QDateTime now() const { return now_(); }
    // A battery was present at start-up: its level can be watched.
    bool BatteryAvailable() const { return batteryAvailable_; }

    static QString exitPromptText();

private:
    void readWatchedItems();
    void readBatteryAvailability(const std::optional<BatteryReading>& power);
    bool synchronisationDue() const;

    AppSettings& settings_;
    MenuServices& services_;
    PlatformFacts facts_;
    QString commandLine_;
    Clock now_;
    TrayMenuState menuState_;
    SharedSettingsState sharedState_;
    GeneralOptions generalOptions_;
    bool batteryAvailable_ = false;
    bool unloaded_ = false;
};
