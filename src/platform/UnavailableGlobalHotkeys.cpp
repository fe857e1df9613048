#include "platform/UnavailableGlobalHotkeys.h"

#include <QGuiApplication>

std::unique_ptr<GlobalHotkeys> UnavailableGlobalHotkeys::forThisSession(QObject* parent) {
    const QString windowSystem = QGuiApplication::platformName();
    return std::make_unique<UnavailableGlobalHotkeys>(
        QStringLiteral("Global hotkeys are not available in this session: the window system (%1) lets "
                       "no program take a key combination for itself. The hotkey works in X11 sessions.")
            .arg(windowSystem.isEmpty() ? QStringLiteral("none") : windowSystem),
        parent);
}
