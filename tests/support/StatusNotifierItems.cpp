#include "support/StatusNotifierItems.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QTest>

namespace {
const QString kWatcher = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kItem = QStringLiteral("org.kde.StatusNotifierItem");

QVariant property(QDBusConnection bus, const QString& service, const QString& path, const QString& interface,
                  const QString& name) {
    QDBusMessage get = QDBusMessage::createMethodCall(
        service, path, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << interface << name;
    const QDBusMessage reply = bus.call(get, QDBus::Block, 5000);
    return reply.type() == QDBusMessage::ReplyMessage
               ? reply.arguments().value(0).value<QDBusVariant>().variant()
               : QVariant();
}

// The menu entry (id, properties, children) whose label is `label`, mnemonic marks aside; -1 when none.
int entryWithLabel(const QDBusArgument& entry, const QString& label) {
    int id = -1;
    QVariantMap properties;
    int found = -1;
    entry.beginStructure();
    entry >> id >> properties;
    entry.beginArray();
    while (!entry.atEnd()) {
        QDBusVariant child;
        entry >> child;
        const int inChild = entryWithLabel(child.variant().value<QDBusArgument>(), label);
        found = found < 0 ? inChild : found;
    }
    entry.endArray();
    entry.endStructure();
    QString text = properties.value(QStringLiteral("label")).toString();
    text.remove(QLatin1Char('_')).remove(QLatin1Char('&'));
    return text == label ? id : found;
}

// "service/path" (a path may be missing: the item's default one).
std::pair<QString, QString> split(const QString& item) {
    const qsizetype slash = item.indexOf(QLatin1Char('/'));
    return slash < 0 ? std::pair{item, QStringLiteral("/StatusNotifierItem")}
                     : std::pair{item.left(slash), item.mid(slash)};
}
}  // namespace

namespace StatusNotifierItems {

QStringList registered(QDBusConnection bus) {
    const QVariant items = property(bus, kWatcher, QStringLiteral("/StatusNotifierWatcher"), kWatcher,
                                    QStringLiteral("RegisteredStatusNotifierItems"));
    return items.toStringList();
}

QString toolTip(QDBusConnection bus, const QString& item) {
    const auto [service, path] = split(item);
    const QVariant value = property(bus, service, path, kItem, QStringLiteral("ToolTip"));
    if (!value.canConvert<QDBusArgument>()) {
        return {};
    }
    const QDBusArgument argument = value.value<QDBusArgument>();
    QString icon;
    QString title;
    QString text;
    argument.beginStructure();
    argument >> icon;
    argument.beginArray();
    while (!argument.atEnd()) {
        int width = 0;
        int height = 0;
        QByteArray pixels;
        argument.beginStructure();
        argument >> width >> height >> pixels;
        argument.endStructure();
    }
    argument.endArray();
    argument >> title >> text;
    argument.endStructure();
    return text.isEmpty() ? title : title + QLatin1Char('\n') + text;
}

bool click(QDBusConnection bus, const QString& item, const QString& method, int x, int y) {
    const auto [service, path] = split(item);
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, kItem, method);
    call << x << y;
    return bus.call(call, QDBus::Block, 5000).type() == QDBusMessage::ReplyMessage;
}

bool clickMenuEntry(QDBusConnection bus, const QString& item, const QString& label) {
    const auto [service, path] = split(item);
    const QString menu =
        property(bus, service, path, kItem, QStringLiteral("Menu")).value<QDBusObjectPath>().path();
    const QString interface = QStringLiteral("com.canonical.dbusmenu");
    QDBusMessage layout =
        QDBusMessage::createMethodCall(service, menu, interface, QStringLiteral("GetLayout"));
    layout << 0 << -1 << QStringList{QStringLiteral("label")};
    const QDBusMessage reply = bus.call(layout, QDBus::Block, 5000);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() < 2) {
        return false;
    }
    const int id = entryWithLabel(reply.arguments().at(1).value<QDBusArgument>(), label);
    if (id < 0) {
        return false;
    }
    QDBusMessage event = QDBusMessage::createMethodCall(service, menu, interface, QStringLiteral("Event"));
    event << id << QStringLiteral("clicked") << QVariant::fromValue(QDBusVariant(0)) << 0u;
    return bus.call(event, QDBus::Block, 5000).type() == QDBusMessage::ReplyMessage;
}

bool waitForTrayAndNotifications(QDBusConnection bus, int timeoutMs) {
    return QTest::qWaitFor(
        [&] {
            return bus.interface()->isServiceRegistered(kWatcher) &&
                   bus.interface()->isServiceRegistered(QStringLiteral("org.freedesktop.Notifications"));
        },
        timeoutMs);
}

}  // namespace StatusNotifierItems
