#pragma once

#include "app/Menu.h"
#include "app/MenuServices.h"

#include <QObject>
#include <QPoint>
#include <QRect>
#include <functional>

// What the pointer does on the tray icon: clicks close the pop-up, and resting on the icon for a
// second opens it. Menu.Timer3 follows the pointer every 200 ms, Menu.Timer2 counts the second.
class TrayHover : public QObject {
    Q_OBJECT

public:
    struct Screen {
        std::function<QRect()> locateTrayIcon;  // the icon's rectangle in screen pixels
        std::function<QPoint()> cursorPos;
        std::function<int()> screenHeight;  // pixels
    };

    TrayHover(Menu& menu, MenuServices& services, Screen screen, QObject* parent = nullptr);

    void leftDoubleClick(const std::function<void()>& showMonitor);
    // The menu opens: the pop-up and hover tracking end first.
    void rightButtonUp(const std::function<void()>& showMenu);
    void leftButtonUp();
    void hoverStart();
    void timer3Tick();
    void timer2Tick();

    bool IsQuickPopupAllowed();

private:
    // Starting a running timer again would restart its countdown; enabling one must not.
    static void enable(QTimer& timer, bool enabled);
    void closePopupDelay();

    Menu& menu_;
    MenuServices& services_;
    Screen screen_;
};
