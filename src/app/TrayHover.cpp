#include "app/TrayHover.h"

namespace {
constexpr int kItemsPage = 1;
}

TrayHover::TrayHover(const TrayMenuState& items, bool iconMayBeHidden, Host& host, Screen screen,
                     QObject* parent)
    : QObject(parent),
      items_(items),
      iconMayBeHidden_(iconMayBeHidden),
      host_(host),
      screen_(std::move(screen)) {
    Timer2.setInterval(1000);
    Timer3.setInterval(200);
    connect(&Timer3, &QTimer::timeout, this, &TrayHover::timer3Tick);
    connect(&Timer2, &QTimer::timeout, this, &TrayHover::timer2Tick);
}

void TrayHover::enable(QTimer& timer, bool enabled) {
    if (!enabled) {
        timer.stop();
    } else if (!timer.isActive()) {
        timer.start();
    }
}

void TrayHover::stop() {
    // Left running after a click, tracking would open the pop-up over the menu a second later.
    Timer2.stop();
    Timer3.stop();
    host_.closePopup();
}

void TrayHover::leftDoubleClick(const std::function<void()>& showMonitor) {
    stop();
    showMonitor();
}

void TrayHover::rightButtonUp(const std::function<void()>& showMenu) {
    stop();
    showMenu();
}

void TrayHover::leftButtonUp() {
    stop();
}

void TrayHover::clickOpens() {
    const bool wasShown = host_.popupShown();
    stop();
    if (!wasShown && IsQuickPopupAllowed()) {
        host_.showPopup();
    }
}

bool TrayHover::IsQuickPopupAllowed() {
    if (host_.popupShown() || !items_.mnuQuickDisplay.checked) {
        return false;
    }
    if (items_.mnuOptions.enabled) {
        return items_.mnuDisplay.enabled;
    }
    return host_.optionsDialogPage() != kItemsPage;
}

void TrayHover::hoverStart() {
    if (!items_.mnuDisplay.enabled) {
        return;
    }
    const QRect icon = screen_.locateTrayIcon();
    const bool iconOffScreen = screen_.screenHeight() < icon.top();
    if (iconMayBeHidden_ && iconOffScreen) {
        if (host_.popupShown()) {
            host_.restartPopupHideTimer();
        } else {
            enable(Timer2, IsQuickPopupAllowed());
        }
        return;
    }
    enable(Timer3, IsQuickPopupAllowed());
}

void TrayHover::timer3Tick() {
    const QPoint cursor = screen_.cursorPos();
    const QRect icon = screen_.locateTrayIcon();
    const bool outside = icon.isEmpty() || cursor.x() < icon.left() || cursor.x() > icon.right() ||
                         cursor.y() < icon.top() || cursor.y() > icon.bottom();
    if (outside) {
        Timer2.stop();
        Timer3.stop();
        if (host_.popupShown()) {
            host_.closePopup();
        }
        return;
    }
    enable(Timer2, IsQuickPopupAllowed());
}

void TrayHover::timer2Tick() {
    Timer2.stop();
    Timer3.stop();
    host_.showPopup();
}
