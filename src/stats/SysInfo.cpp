#include "stats/SysInfo.h"

#include "platform/linux/MountTableWatcher.h"
#include "stats/WorkArea.h"

#include <QGuiApplication>
#include <QScreen>

SysInfo::SysInfo(QObject* parent) : QObject(parent), mountTable_(MountTableWatcher::shared()) {
    connect(mountTable_.get(), &MountTableWatcher::changed, this, &SysInfo::drivesChanged);
}

SysInfo::~SysInfo() = default;

namespace {

WorkAreaTwips primaryWorkArea() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return {};
    }
    return workAreaInTwips(screen->availableGeometry(), SysInfo::twipsPerPixelX(), SysInfo::twipsPerPixelY());
}

}  // namespace

int SysInfo::WorkAreaHeight() const {
    return primaryWorkArea().height;
}

int SysInfo::WorkAreaWidth() const {
    return primaryWorkArea().width;
}

int SysInfo::twipsPerPixelX() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return twipsPerPixelFor(screen != nullptr ? screen->logicalDotsPerInchX() : 0.0);
}

int SysInfo::twipsPerPixelY() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return twipsPerPixelFor(screen != nullptr ? screen->logicalDotsPerInchY() : 0.0);
}
