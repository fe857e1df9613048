#include "app/AppIcon.h"

// The icons are compiled into the static core library, whose resource registration the linker
// would drop unless something refers to it.
static void registerIconResources() {
    Q_INIT_RESOURCE(icons);
}

namespace AppIcon {

QIcon icon() {
    static const bool registered = (registerIconResources(), true);
    Q_UNUSED(registered);
    QIcon result;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        result.addFile(QStringLiteral(":/icons/hicolor/%1x%1/apps/quorvane.png").arg(size),
                       QSize(size, size));
    }
    return result;
}

QPixmap pixmap(int size) {
    return icon().pixmap(size, size);
}

}  // namespace AppIcon
