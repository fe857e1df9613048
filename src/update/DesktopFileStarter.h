#pragma once

#include "update/FileStarter.h"

// Opens the file with the desktop's handler for its type. In a dry run it only says what it would
// open, so that trying the program never installs anything.
class DesktopFileStarter : public FileStarter {
public:
    explicit DesktopFileStarter(bool dryRun) : dryRun_(dryRun) {}
    bool start(const QString& path) override;

private:
    bool dryRun_;
};
