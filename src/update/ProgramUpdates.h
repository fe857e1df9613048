#pragma once

#include "update/DesktopFileStarter.h"
#include "update/InternetUpdate.h"
#include "update/WindowUpdatePrompts.h"

#include <QObject>
#include <functional>
#include <memory>

class AppSettings;

// The program's update check: the configured location, the real windows and the package opener,
// and the program's exit once a package has been opened.
class ProgramUpdates : public QObject {
    Q_OBJECT

public:
    ProgramUpdates(const AppSettings& settings, bool dryRun, std::function<void()> exitProgram,
                   QObject* parent = nullptr);

    // Starts the check; false, with nothing done beyond the message asked for, when no location
    // is configured.
    bool testAndUpdate(bool showStatus, bool showMessage);
    void unload();

    static UpdateVersion programVersion();

private:
    const AppSettings& settings_;
    WindowUpdatePrompts prompts_;
    DesktopFileStarter starter_;
    std::function<void()> exitProgram_;
    std::unique_ptr<InternetUpdate> update_;  // made for the first check: no network set-up before
};
