#pragma once

#include "app/MenuServices.h"
#include "app/TrayCommands.h"
#include "app/TrayHover.h"
#include "options/OptionsHost.h"
#include "timesync/TimeSyncExec.h"

#include <QStringList>

// Stands in for the windows and subsystems around the controller and its tray, options and
// synchronisation windows: answers with preset values and records every call by name, in order.
class RecordingMenuServices : public MenuServices,
                              public TrayCommands::Host,
                              public TrayHover::Host,
                              public OptionsHost,
                              public TimeSyncHost {
public:
    QStringList calls;
    QString defaultServer = QStringLiteral("time.example.org");
    std::optional<BatteryReading> power = BatteryReading{128, 255};
    int messageBoxAnswer = 7;
    int optionsPage = 0;
    bool popupOpen = false;
    bool watching = false;
    bool updateLocationConfigured = true;
    QString lastMessageText;
    int lastMessageStyle = -1;
    QString lastMessageTitle;

    bool called(const QString& name) const { return calls.contains(name); }

    // MenuServices
    void showSplash() override { record("showSplash"); }
    QString buildTimeServerList() override { return record("buildTimeServerList"), defaultServer; }
    std::optional<BatteryReading> startStatistics(bool) override { return record("startStatistics"), power; }
    void showOptionsDialog(int page) override { record(QStringLiteral("showOptionsDialog(%1)").arg(page)); }
    void showMonitorWindow() override { record("showMonitorWindow"); }
    void startSynchronisation() override { record("startSynchronisation"); }
    void addTrayIcon(const QString& tooltip) override {
        record(QStringLiteral("addTrayIcon(%1)").arg(tooltip));
    }
    void setHotkeyEnabled(bool enabled) override {
        record(QStringLiteral("setHotkeyEnabled(%1)").arg(enabled ? "true" : "false"));
    }
    void setThresholdWatching(bool on) override {
        record(QStringLiteral("setThresholdWatching(%1)").arg(on ? "true" : "false"));
        watching = on;
    }
    bool checkForUpdates(bool reportCurrent) override {
        record(QStringLiteral("checkForUpdates(%1)").arg(reportCurrent ? "true" : "false"));
        return updateLocationConfigured;
    }
    int showMessageBox(const QString& text, int style, const QString& title) override {
        record("showMessageBox");
        lastMessageText = text;
        lastMessageStyle = style;
        lastMessageTitle = title;
        return messageBoxAnswer;
    }
    void shutDown() override { record("shutDown"); }

    // TrayCommands::Host
    void closeMonitorWindow() override { record("closeMonitorWindow"); }
    void closeOptionsDialog() override { record("closeOptionsDialog"); }
    void showAbout() override { record("showAbout"); }

    // TrayHover::Host
    bool popupShown() override { return popupOpen; }
    void showPopup() override {
        record("showPopup");
        popupOpen = true;
    }
    void closePopup() override {
        record("closePopup");
        popupOpen = false;
    }
    void restartPopupHideTimer() override { record("restartPopupHideTimer"); }
    int optionsDialogPage() override { return optionsPage; }

private:
    void record(const QString& name) { calls << name; }
    void record(const char* name) { calls << QString::fromLatin1(name); }
};
