#include "update/ProgramUpdates.h"

#include "app/ProgramVersion.h"

#include "update/UpdateDownloadFolder.h"
#include "update/UpdateLocation.h"

ProgramUpdates::ProgramUpdates(const AppSettings& settings, bool dryRun, std::function<void()> exitProgram,
                               QObject* parent)
    : QObject(parent),
      settings_(settings),
      starter_(dryRun),
      update_(programVersion(), prompts_, starter_, UpdateDownloadFolder::defaultParent(), this) {
    update_.setUpdateFile(QStringLiteral("quorvaneinstall.deb"));
    // The package installer has the file now; the program ends as its Exit command does.
    connect(&update_, &InternetUpdate::UpdateStarted, this, [exitProgram] { exitProgram(); });
}

UpdateVersion ProgramUpdates::programVersion() {
    return UpdateVersion{ProgramVersion::majorNumber(), ProgramVersion::minorNumber()};
}

bool ProgramUpdates::testAndUpdate(bool showStatus, bool showMessage) {
    const QString location = UpdateLocation::configured(settings_);
    update_.setDownloadURL(location);
    update_.setShowStatus(showStatus);
    update_.setShowMessage(showMessage);
    if (location.isEmpty() && !showMessage) {
        return false;
    }
    update_.TestAndUpdate();  // says so itself when no location is configured
    return !location.isEmpty();
}
