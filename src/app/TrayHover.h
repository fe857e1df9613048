#pragma once

#include "settings/TrayMenuState.h"

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QTimer>
#include <functional>

// What the pointer does on the tray icon: clicks close the pop-up, and resting on the icon for a
// second opens it. Timer3 follows the pointer every 200 ms, Timer2 counts the second.
class TrayHover : public QObject {
    Q_OBJECT

public:
    // The pop-up window and the one question asked of the options dialog.
    class Host {
    public:
        virtual ~Host() = default;
        virtual bool popupShown() = 0;
        virtual void showPopup() = 0;
        virtual void closePopup() = 0;
        virtual void restartPopupHideTimer() = 0;
        virtual int optionsDialogPage() = 0;  // while the dialog is open
    };

    struct Screen {
        std::function<QRect()> locateTrayIcon;  // the icon's rectangle in screen pixels
        std::function<QPoint()> cursorPos;
        std::function<int()> screenHeight;  // pixels
    };

    // `iconMayBeHidden`: the tray can hide its icons off the screen (an auto-hiding panel).
    TrayHover(const TrayMenuState& items, bool iconMayBeHidden, Host& host, Screen screen,
              QObject* parent = nullptr);

    void leftDoubleClick(const std::function<void()>& showMonitor);
    // The menu opens: the pop-up and hover tracking end first.
    void rightButtonUp(const std::function<void()>& showMenu);
    void leftButtonUp();
    // A click on a tray that reports no pointer movement: opens the pop-up at once, or closes it.
    void clickOpens();
    void hoverStart();
    void timer3Tick();
    void timer2Tick();
    // Back to idle: no tracking, no countdown, no pop-up.
    void stop();

    bool IsQuickPopupAllowed();

    QTimer Timer2;  // the second before the pop-up opens
    QTimer Timer3;  // pointer tracking

private:
    // Starting a running timer again would restart its countdown; enabling one must not.
    static void enable(QTimer& timer, bool enabled);

    const TrayMenuState& items_;
    bool iconMayBeHidden_;
    Host& host_;
    Screen screen_;
};
