#include "platform/GlobalHotkeys.h"

#include "platform/UnavailableGlobalHotkeys.h"

#include <QGuiApplication>

#ifdef QUORVANE_HAVE_X11
#include "platform/X11GlobalHotkeys.h"
#endif

std::unique_ptr<GlobalHotkeys> createGlobalHotkeys(QObject* parent) {
    const QString windowSystem = QGuiApplication::platformName();
#ifdef QUORVANE_HAVE_X11
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (windowSystem == QLatin1String("xcb") && x11 != nullptr && x11->display() != nullptr) {
        return std::make_unique<X11GlobalHotkeys>(x11->display(), parent);
    }
#endif
    return std::make_unique<UnavailableGlobalHotkeys>(
        QStringLiteral("Global hotkeys are not available in this session: the window system (%1) lets "
                       "no program take a key combination for itself. The hotkey works in X11 sessions.")
            .arg(windowSystem.isEmpty() ? QStringLiteral("none") : windowSystem),
        parent);
}
