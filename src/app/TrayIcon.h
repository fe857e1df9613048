#pragma once

#include "app/Menu.h"
#include "app/TrayCommands.h"
#include "app/TrayHover.h"

#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>
#include <map>

// The notification-area icon and its menu MenuTray. The menu shows the live state of the tray
// items; each action runs its command.
class TrayIcon : public QObject {
    Q_OBJECT

public:
    TrayIcon(Menu& menu, TrayCommands::Host& windows, TrayHover::Host& popup, QObject* parent = nullptr);
    ~TrayIcon() override;

    void AddTrayIcon(const QString& tooltip);
    void RemoveTrayIcon();
    // A notice in the tray's own balloon (nothing where the tray shows no messages).
    void showMessage(const QString& title, const QString& text) { tray_.showMessage(title, text); }
    // The one way the icon's picture changes (the live graph draws through it).
    void setIconPixmap(const QPixmap& pixmap) { tray_.setIcon(QIcon(pixmap)); }

    // The icon's rectangle in screen pixels; empty (containing no point) when the tray does not say.
    QRect geometry() const;
    // Whether a screen position lies on the icon (the edges count; never, when it cannot be located).
    bool contains(QPoint position) const;
    QMenu& MenuTray() { return menuTray_; }
    TrayCommands& commands() { return commands_; }
    TrayHover& hover() { return *hover_; }
    QAction* action(const QString& objectName) const;

    // Brings the menu's check marks and enabled states in line with the shared state.
    void syncMenu();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenu();
    QAction* addItem(QMenu& menu, MenuItemState TrayMenuState::*state, const char* name,
                     const QString& caption, std::function<void()> command);
    QAction* addToggle(QMenu& menu, GeneralOption option);
    void onActivated(QSystemTrayIcon::ActivationReason reason);

    Menu& menu_;
    TrayCommands commands_;
    std::unique_ptr<TrayHover> hover_;
    QMenu menuTray_;
    QMenu mainOptions_;
    QSystemTrayIcon tray_;
    std::map<QAction*, MenuItemState TrayMenuState::*> stateOf_;
};
