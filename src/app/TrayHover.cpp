#include "app/TrayHover.h"

namespace {
constexpr int kItemsPage = 1;
}

TrayHover::TrayHover(Menu& menu, MenuServices& services, Screen screen, QObject* parent)
    : QObject(parent), menu_(menu), services_(services), screen_(std::move(screen)) {
    connect(&menu_.Timer3, &QTimer::timeout, this, &TrayHover::timer3Tick);
    connect(&menu_.Timer2, &QTimer::timeout, this, &TrayHover::timer2Tick);
}

void TrayHover::enable(QTimer& timer, bool enabled) {
    if (!enabled) {
        timer.stop();
    } else if (!timer.isActive()) {
        timer.start();
    }
}

void TrayHover::closePopupDelay() {
    // Any click returns hover tracking to idle: left running, it would open the pop-up over the
    // menu a second later.
    menu_.Timer2.stop();
    menu_.Timer3.stop();
    services_.unloadPopup();
}

void TrayHover::leftDoubleClick(const std::function<void()>& showMonitor) {
    closePopupDelay();
    showMonitor();
}

void TrayHover::rightButtonUp(const std::function<void()>& showMenu) {
    closePopupDelay();
    showMenu();
}

void TrayHover::leftButtonUp() {
    closePopupDelay();
}

bool TrayHover::IsQuickPopupAllowed() {
    const TrayMenuState& state = menu_.menuState();
    if (services_.popupShown() || !state.mnuQuickDisplay.checked) {
        return false;
    }
    if (state.mnuOptions.enabled) {
        return state.mnuDisplay.enabled;
    }
    return services_.optionsCurrentPage() != kItemsPage;
}

void TrayHover::hoverStart() {
    if (!menu_.menuState().mnuDisplay.enabled) {
        return;
    }
    const QRect icon = screen_.locateTrayIcon();
    const bool iconOffScreen = screen_.screenHeight() < icon.top();
    if (menu_.facts().wow64OrVista && iconOffScreen) {
        if (services_.popupShown()) {
            services_.restartPopupHideTimer();
        } else {
            enable(menu_.Timer2, IsQuickPopupAllowed());
        }
        return;
    }
    enable(menu_.Timer3, IsQuickPopupAllowed());
}

void TrayHover::timer3Tick() {
    const QPoint cursor = screen_.cursorPos();
    const QRect icon = screen_.locateTrayIcon();
    const bool outside = icon.isEmpty() || cursor.x() < icon.left() || cursor.x() > icon.right() ||
                         cursor.y() < icon.top() || cursor.y() > icon.bottom();
    if (outside) {
        menu_.Timer2.stop();
        menu_.Timer3.stop();
        if (services_.popupShown()) {
            services_.unloadPopup();
        }
        return;
    }
    enable(menu_.Timer2, IsQuickPopupAllowed());
}

void TrayHover::timer2Tick() {
    menu_.Timer2.stop();
    menu_.Timer3.stop();
    services_.showPopup();
}
