#include "update/DesktopFileStarter.h"

#include <QDesktopServices>
#include <QUrl>
#include <cstdio>

bool DesktopFileStarter::start(const QString& path) {
    if (dryRun_) {
        std::fprintf(stderr, "quorvane: dry run: would open %s\n", qPrintable(path));
        return true;
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
