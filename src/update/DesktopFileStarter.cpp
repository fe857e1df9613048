#include "update/DesktopFileStarter.h"

#include <QDesktopServices>
#include <cstdio>

DesktopFileStarter::DesktopFileStarter(bool dryRun, Launcher launcher)
    : dryRun_(dryRun), launcher_(launcher ? std::move(launcher) : Launcher(&QDesktopServices::openUrl)) {}

bool DesktopFileStarter::start(const QString& path) {
    if (dryRun_) {
        std::fprintf(stderr, "quorvane: dry run: would open %s\n", qPrintable(path));
        return true;
    }
    return launcher_(QUrl::fromLocalFile(path));
}
