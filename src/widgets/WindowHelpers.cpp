#include "widgets/WindowHelpers.h"

#include "platform/RoundHalfToEven.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QWidget>
#include <QWindow>
#include <algorithm>

bool translucencyAvailable = false;

const TrayIconRect& LocateTrayIcon(const QRect& reportedGeometry) {
    QRect workArea;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        workArea = screen->availableGeometry();
    }
    trayIconRect = trayIconRectFor(reportedGeometry, workArea);
    return trayIconRect;
}

const TrayIconRect& LocateTrayIcon(const QSystemTrayIcon* icon) {
    return LocateTrayIcon(icon ? icon->geometry() : QRect());
}

void SetTopmost(QWidget* form, bool onTop) {
    if (form == nullptr) {
        return;
    }
    QWidget* window = form->window();
    const Qt::WindowFlags flags = window->windowFlags().setFlag(Qt::WindowStaysOnTopHint, onTop);
    if (flags != window->windowFlags()) {
        // setWindowFlags would recreate and hide a shown window; tell the widget and the native
        // window separately so the change happens in place.
        window->overrideWindowFlags(flags);
        if (QWindow* handle = window->windowHandle()) {
            handle->setFlags(flags);
        }
    }
    if (onTop && window->isVisible()) {
        window->raise();
        // Its own balloons stay above it: without a window manager nothing else would restack them.
        for (QWidget* child : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (child->isWindow() && child->isVisible()) {
                child->raise();
            }
        }
    }
}

QWidget* TopVisibleAncestor(QWidget* window) {
    QWidget* current = window;
    while (current != nullptr && current->parentWidget() != nullptr && current->parentWidget()->isVisible()) {
        current = current->parentWidget();
    }
    return current;
}

namespace {
bool setOpacity(QWidget* window, qreal opacity) {
    if (!translucencyAvailable || window == nullptr) {
        return false;
    }
    QWidget* top = TopVisibleAncestor(window);
    if (!top->isWindow()) {
        return false;
    }
    top->setWindowOpacity(opacity);
    return true;
}
}  // namespace

bool MakeTranslucent(QWidget* window, int alpha) {
    return setOpacity(window, std::clamp(alpha, 0, 255) / 255.0);
}

bool MakeOpaque(QWidget* window) {
    return setOpacity(window, 1.0);
}

quint8 translucencyAlpha(int level) {
    const double alpha = roundHalfToEven(std::clamp(level, 0, 100) * 255 / 100.0);
    return static_cast<quint8>(alpha);
}
