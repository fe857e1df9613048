#pragma once

#include "app/MenuServices.h"

#include <QStringList>

// Stands in for the windows and subsystems around the controller: answers with preset values and
// records every call by name, in order.
class RecordingMenuServices : public MenuServices {
public:
    QStringList calls;
    bool otherInstance = false;
    bool shortcutExists = false;
    QString defaultServer = QStringLiteral("time.example.org");
    std::optional<BatteryReading> power = BatteryReading{128, 255};
    QList<QChar> drives;
    int messageBoxAnswer = 7;
    bool shortcutCanBeCreated = true;
    bool optionsApply = false;
    bool optionsMarkChanges = true;
    int optionsPage = 0;
    bool popupOpen = false;
    bool updateLocationConfigured = true;
    QString lastMessageText;
    int lastMessageStyle = -1;
    QString lastMessageTitle;

    bool called(const QString& name) const { return calls.contains(name); }

    bool anotherInstanceRunning() override { return record("anotherInstanceRunning"), otherInstance; }
    void showSplash() override { record("showSplash"); }
    void resetAlertState() override { record("resetAlertState"); }
    bool startupShortcutExists() override { return record("startupShortcutExists"), shortcutExists; }
    QString buildTimeServerList() override { return record("buildTimeServerList"), defaultServer; }
    void createCpuMeter(bool) override { record("createCpuMeter"); }
    std::optional<BatteryReading> readPowerStatus() override { return record("readPowerStatus"), power; }
    QList<QChar> enumFixedDrives() override { return record("enumFixedDrives"), drives; }
    void showOptionsDialog(int page) override { record(QStringLiteral("showOptionsDialog(%1)").arg(page)); }
    void processPendingEvents() override { record("processPendingEvents"); }
    void showMonitorWindow() override { record("showMonitorWindow"); }
    void startSynchronisation() override { record("startSynchronisation"); }
    void addTrayIcon(const QString& tooltip) override {
        record(QStringLiteral("addTrayIcon(%1)").arg(tooltip));
    }
    void hideFromTaskList() override { record("hideFromTaskList"); }
    void setHotkeyEnabled(bool enabled) override {
        record(QStringLiteral("setHotkeyEnabled(%1)").arg(enabled ? "true" : "false"));
    }
    bool testAndUpdate(bool showStatus, bool showMessage) override {
        record(QStringLiteral("testAndUpdate(%1,%2)").arg(showStatus).arg(showMessage));
        return updateLocationConfigured;
    }
    void unloadMonitorWindow() override { record("unloadMonitorWindow"); }
    void unloadOptionsDialog() override { record("unloadOptionsDialog"); }
    void showAbout() override { record("showAbout"); }
    void setMonitorTopmost(bool onTop) override {
        record(QStringLiteral("setMonitorTopmost(%1)").arg(onTop));
    }
    void setMonitorTranslucency(bool on, int alpha) override {
        record(QStringLiteral("setMonitorTranslucency(%1,%2)").arg(on).arg(alpha));
    }
    bool createStartupShortcut() override {
        record("createStartupShortcut");
        shortcutExists = shortcutCanBeCreated;
        return shortcutCanBeCreated;
    }
    void removeStartupShortcut() override {
        record("removeStartupShortcut");
        shortcutExists = false;
    }
    bool optionsApplyEnabled() override { return optionsApply; }
    void setOptionsApplyEnabled(bool enabled) override { optionsApply = enabled; }
    void setOptionsMirrorBox(const QString& box, bool checked) override {
        record(QStringLiteral("mirror %1=%2").arg(box).arg(checked));
        if (optionsMarkChanges) {
            optionsApply = true;  // the dialog takes a box change as the user's
        }
    }
    int optionsCurrentPage() override { return optionsPage; }
    bool popupShown() override { return popupOpen; }
    void showPopup() override {
        record("showPopup");
        popupOpen = true;
    }
    void unloadPopup() override {
        record("unloadPopup");
        popupOpen = false;
    }
    void restartPopupHideTimer() override { record("restartPopupHideTimer"); }
    int showMessageBox(const QString& text, int style, const QString& title) override {
        record("showMessageBox");
        lastMessageText = text;
        lastMessageStyle = style;
        lastMessageTitle = title;
        return messageBoxAnswer;
    }
    void unloadWindows() override { record("unloadWindows"); }
    void hideBalloon() override { record("hideBalloon"); }
    void stopHotkey() override { record("stopHotkey"); }
    void removeTrayIcon() override { record("removeTrayIcon"); }
    void endProgram() override { record("endProgram"); }

private:
    void record(const QString& name) { calls << name; }
    void record(const char* name) { calls << QString::fromLatin1(name); }
};
