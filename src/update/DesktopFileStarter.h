#pragma once

#include "update/FileStarter.h"

#include <QUrl>
#include <functional>

// Opens the file with the desktop's handler for its type. In a dry run it only says what it would
// open, so that trying the program never installs anything.
class DesktopFileStarter : public FileStarter {
public:
    // What hands the file to the desktop: QDesktopServices::openUrl unless given.
    using Launcher = std::function<bool(const QUrl&)>;

    explicit DesktopFileStarter(bool dryRun, Launcher launcher = {});
    bool start(const QString& path) override;

private:
    bool dryRun_;
    Launcher launcher_;
};
