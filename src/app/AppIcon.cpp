#include "app/AppIcon.h"

// The icons are compiled into the static core library, whose resource registration the linker
// would drop unless something refers to it.
static void registerIconResources() {
    Q_INIT_RESOURCE(icons);
}

namespace AppIcon {

QIcon icon() {
    // Built once and shared by every window and the tray (a QIcon holds its pixmaps decoded). Only
    // the renderings up to 64 pixels, the largest any of them shows: the 128 and 256 ones would
    // hold a quarter of a megabyte for nothing. Never destroyed: pixmaps must not outlive the
    // application object, and the process ends with it.
    static const QIcon* const shared = [] {
        registerIconResources();
        auto* built = new QIcon;
        for (const int size : {16, 22, 24, 32, 48, 64}) {
            built->addFile(QStringLiteral(":/icons/hicolor/%1x%1/apps/quorvane.png").arg(size),
                           QSize(size, size));
        }
        return built;
    }();
    return *shared;
}

QPixmap pixmap(int size) {
    return icon().pixmap(size, size);
}

}  // namespace AppIcon
