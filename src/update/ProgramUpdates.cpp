#include "update/ProgramUpdates.h"

#include "settings/ProgramVersion.h"

#include "update/UpdateDownloadFolder.h"
#include "update/UpdateLocation.h"

ProgramUpdates::ProgramUpdates(const AppSettings& settings, bool dryRun, std::function<void()> exitProgram,
                               QObject* parent)
    : QObject(parent), settings_(settings), starter_(dryRun), exitProgram_(std::move(exitProgram)) {}

void ProgramUpdates::unload() {
    if (update_) {
        update_->cancel();
    }
}

UpdateVersion ProgramUpdates::programVersion() {
    return UpdateVersion{ProgramVersion::majorNumber(), ProgramVersion::minorNumber()};
}

bool ProgramUpdates::testAndUpdate(bool showStatus, bool showMessage) {
    const QString location = UpdateLocation::configured(settings_);
    if (location.isEmpty() && !showMessage) {
        return false;
    }
    if (!update_) {
        update_ = std::make_unique<InternetUpdate>(programVersion(), prompts_, starter_,
                                                   UpdateDownloadFolder::defaultParent());
        update_->setUpdateFile(QStringLiteral("quorvaneinstall.deb"));
        // The package installer has the file now; the program ends as its Exit command does.
        connect(update_.get(), &InternetUpdate::UpdateStarted, this, [this] { exitProgram_(); });
    }
    update_->setDownloadURL(location);
    update_->setShowStatus(showStatus);
    update_->setShowMessage(showMessage);
    update_->TestAndUpdate();  // says so itself when no location is configured
    return !location.isEmpty();
}
