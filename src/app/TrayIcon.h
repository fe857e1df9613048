#pragma once

#include "app/Menu.h"
#include "app/TrayCommands.h"
#include "app/TrayHover.h"
#include "app/TrayNotice.h"
#include "app/TrayToolTip.h"
#include "platform/EmbeddedTrayIcon.h"
#include "settings/TrayKind.h"

#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>
#include <map>
#include <optional>

// The notification-area icon and its menu MenuTray. The menu shows the live state of the tray
// items; each action runs its command. The icon is Qt's (an X11 system tray or a D-Bus one, as Qt
// finds) or, where "TrayKind" asks for the X11 kind beside a D-Bus tray, the program's own.
class TrayIcon : public QObject {
    Q_OBJECT

public:
    // `popupText`: the pop-up's lines, which a D-Bus tray shows as the tooltip.
    TrayIcon(Menu& menu, TrayCommands::Host& windows, TrayHover::Host& popup,
             std::function<QString()> popupText = {}, QObject* parent = nullptr);
    ~TrayIcon() override;

    void AddTrayIcon(const QString& tooltip, TrayKind kind = TrayKind::Auto);
    void RemoveTrayIcon();
    // The icon's picture, for either kind of icon.
    void setIconImage(const QImage& image);
    // A notice for the user: the tray's own balloon on an X11 system tray of Qt's, otherwise a
    // desktop notification (or a balloon at the icon when no service takes it).
    void showMessage(const QString& title, const QString& text);
    // The one way the icon's picture changes (the live graph draws through it).
    void setIconPixmap(const QPixmap& pixmap) { setIconImage(pixmap.toImage()); }

    // The icon's rectangle in screen pixels; empty (containing no point) when the tray does not say.
    QRect geometry() const;
    // Whether a screen position lies on the icon (the edges count; never, when it cannot be located).
    bool contains(QPoint position) const;
    // Where the pop-up belongs: the icon, or on a D-Bus tray the place of the click that opened it
    // (empty where the window system does not tell the pointer's position).
    QRect popupAnchor() const;
    // The icon is a D-Bus one (StatusNotifierItem): no position, no pointer, the values in the tooltip.
    bool statusNotifier() const { return statusNotifier_; }
    bool ownXEmbedIcon() const { return embedded_ != nullptr; }
    TrayToolTip& toolTip() { return toolTip_; }
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
    void connectEmbedded();

    Menu& menu_;
    TrayCommands commands_;
    TrayHover::Host& popup_;
    std::unique_ptr<TrayHover> hover_;
    QMenu menuTray_;
    QMenu mainOptions_;
    QSystemTrayIcon tray_;
    std::unique_ptr<EmbeddedTrayIcon> embedded_;
    bool statusNotifier_ = false;
    std::optional<QPoint> clickedAt_;
    TrayToolTip toolTip_;
    TrayNotice notice_;
    std::map<QAction*, MenuItemState TrayMenuState::*> stateOf_;
};
