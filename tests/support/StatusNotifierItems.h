#pragma once

#include <QDBusConnection>
#include <QString>
#include <QStringList>

// The icons a D-Bus tray (StatusNotifierWatcher) has taken in, read the way a panel reads them.
namespace StatusNotifierItems {

// The registered items, each "service/path" as the watcher lists them.
QStringList registered(QDBusConnection bus);
// An item's tooltip: its title and its text, joined by a line break when both are there.
QString toolTip(QDBusConnection bus, const QString& item);
// Calls one of the item's click methods (Activate, SecondaryActivate) as the host does for a click
// at (x, y) on the icon it draws.
bool click(QDBusConnection bus, const QString& item, const QString& method, int x, int y);
// Tells the item's exported menu that its entry with this label was clicked, as the host does when
// the user clicks it in the menu the host draws; false when there is no such entry.
bool clickMenuEntry(QDBusConnection bus, const QString& item, const QString& label);
// Waits until a desktop's tray (the watcher) and its notification service are both on the bus.
bool waitForTrayAndNotifications(QDBusConnection bus, int timeoutMs);

}  // namespace StatusNotifierItems
