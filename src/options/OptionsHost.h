#pragma once

#include <QString>

// What the options dialog asks of the program around it.
class OptionsHost {
public:
    virtual ~OptionsHost() = default;

    virtual void startSynchronisation() = 0;
    virtual void showMonitorWindow() = 0;
    virtual int showMessageBox(const QString& text, int style, const QString& title) = 0;
    virtual void setThresholdWatching(bool on) = 0;  // off also hides the alert balloon
    // The activity choices were saved: the live tray icon follows them.
    virtual void activityChoicesChanged() {}
};
