#include "platform/GlobalHotkeys.h"
#include "platform/UnavailableGlobalHotkeys.h"
#include "platform/x11/X11GlobalHotkeys.h"

#include <QGuiApplication>

std::unique_ptr<GlobalHotkeys> createGlobalHotkeys(QObject* parent) {
    // Built with X11, the program may still run in a Wayland or offscreen session.
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (QGuiApplication::platformName() == QLatin1String("xcb") && x11 != nullptr &&
        x11->display() != nullptr) {
        return std::make_unique<X11GlobalHotkeys>(x11->display(), parent);
    }
    return UnavailableGlobalHotkeys::forThisSession(parent);
}
