#pragma once

#include "settings/AppSettings.h"
#include "app/MenuServices.h"
#include "settings/SharedSettingsState.h"
#include "settings/TrayMenuState.h"
#include "platform/PlatformFacts.h"

#include <QDateTime>
#include <QObject>
#include <QTimer>
#include <functional>

// The program's hidden main object: runs start-up and shutdown, owns the tray menu's live state,
// the shared settings state and the timers of threshold monitoring and hover tracking.
class Menu : public QObject {
    Q_OBJECT

public:
    using Clock = std::function<QDateTime()>;

    Menu(AppSettings& settings, MenuServices& services, PlatformFacts facts, QString commandLine,
         Clock now = &QDateTime::currentDateTime, QObject* parent = nullptr);

    // The start-up sequence. False when another copy runs and this one must end.
    bool load();
    void CheckForUpdatesDaily();
    void mnuExit_Click();
    void unload();

    TrayMenuState& menuState() { return menuState_; }
    SharedSettingsState& sharedState() { return sharedState_; }
    AppSettings& settings() { return settings_; }
    const PlatformFacts& facts() const { return facts_; }
    const QString& commandLine() const { return commandLine_; }
    QDateTime now() const { return now_(); }

    bool BatteryAvailable = false;
    qint16 previousRowCount = 0;
    QList<QChar> fixedDrives;

    QTimer Timer1;  // threshold monitoring
    QTimer Timer2;  // hover pop-up delay
    QTimer Timer3;  // hover tracking

    static QString exitPromptText();

private:
    void readCheckMarks();
    void readWatchedItems();
    void readBatteryAvailability();
    bool synchronisationDue() const;

    AppSettings& settings_;
    MenuServices& services_;
    PlatformFacts facts_;
    QString commandLine_;
    Clock now_;
    TrayMenuState menuState_;
    SharedSettingsState sharedState_;
    bool unloaded_ = false;
};
