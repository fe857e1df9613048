#include "app/NotificationAlertView.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace {
const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
constexpr uint kDismissedByUser = 2;

QDBusMessage call(const QString& method) {
    return QDBusMessage::createMethodCall(kService, kPath, kService, method);
}

// Notification bodies may be read as markup: a mount point must not become a tag.
QString bodyText(const QString& text) {
    QString body = text;
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    body.replace(QLatin1Char('&'), QStringLiteral("&amp;"));
    body.replace(QLatin1Char('<'), QStringLiteral("&lt;"));
    body.replace(QLatin1Char('>'), QStringLiteral("&gt;"));
    return body;
}
}  // namespace

NotificationAlertView::NotificationAlertView(QDBusConnection bus, QObject* parent)
    : QObject(parent), bus_(std::move(bus)) {
    bus_.connect(kService, kPath, kService, QStringLiteral("NotificationClosed"), this,
                 SLOT(onNotificationClosed(uint, uint)));
}

bool NotificationAlertView::serviceAvailable() const {
    const QDBusConnectionInterface* daemon = bus_.isConnected() ? bus_.interface() : nullptr;
    if (daemon == nullptr) {
        return false;
    }
    if (daemon->isServiceRegistered(kService)) {
        return true;
    }
    const QDBusMessage reply = bus_.call(QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("ListActivatableNames")));
    return !reply.arguments().isEmpty() && reply.arguments().first().toStringList().contains(kService);
}

int NotificationAlertView::show(const QString& text, int, int) {
    currentId_ = nextId_;
    nextId_ = (nextId_ + 1) & 0x7FFF;
    text_ = text;
    notify();
    return currentId_;
}

void NotificationAlertView::setText(int id, const QString& text) {
    if (id != currentId_ || id == -1) {
        return;
    }
    text_ = text;
    if (text_ != sentText_) {  // a service may show every update anew: send changes only
        notify();
    }
}

void NotificationAlertView::close(int id) {
    if (id != currentId_ || id == -1) {
        return;
    }
    currentId_ = -1;
    sendWhenAnswered_ = false;
    if (awaitingReply_) {
        closeWhenAnswered_ = true;
    } else {
        closeOnServer();
    }
}

void NotificationAlertView::notify() {
    if (!bus_.isConnected()) {
        // Reported on the next turn: the caller is still in show() and expects it to return first.
        QMetaObject::invokeMethod(this, &NotificationAlertView::failed, Qt::QueuedConnection);
        return;
    }
    if (awaitingReply_) {
        sendWhenAnswered_ = true;  // the number to replace is not known yet
        return;
    }
    QDBusMessage message = call(QStringLiteral("Notify"));
    message << QStringLiteral("Quorvane") << serverId_ << QStringLiteral("quorvane") << title_
            << bodyText(text_) << QStringList()
            << QVariantMap{{QStringLiteral("desktop-entry"), QStringLiteral("quorvane")}}
            << 0;  // shown until closed, like the balloon
    sentText_ = text_;
    awaitingReply_ = true;
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(message), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* answered) {
        answered->deleteLater();
        const QDBusPendingReply<uint> reply = *answered;
        awaitingReply_ = false;
        serverId_ = reply.isError() ? 0 : reply.value();
        if (reply.isError()) {
            closeWhenAnswered_ = false;
            sendWhenAnswered_ = false;
            sentText_.clear();
            if (currentId_ != -1) {
                Q_EMIT failed();
            }
            return;
        }
        if (closeWhenAnswered_) {
            closeWhenAnswered_ = false;
            closeOnServer();
        }
        if (sendWhenAnswered_) {
            sendWhenAnswered_ = false;
            notify();
        }
    });
}

void NotificationAlertView::closeOnServer() {
    if (serverId_ != 0) {
        QDBusMessage message = call(QStringLiteral("CloseNotification"));
        message << serverId_;
        bus_.asyncCall(message);
        serverId_ = 0;
    }
    sentText_.clear();
}

void NotificationAlertView::onNotificationClosed(uint serverId, uint reason) {
    if (serverId == 0 || serverId != serverId_) {
        return;
    }
    serverId_ = 0;
    sentText_.clear();
    const bool byUser = reason == kDismissedByUser && currentId_ != -1;
    // Gone for another reason (expired): later texts wait for the next new alert.
    currentId_ = -1;
    if (byUser) {
        Q_EMIT userClosed();
    }
}
