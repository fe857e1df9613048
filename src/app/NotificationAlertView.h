#pragma once

#include "app/AlertBalloon.h"

#include <QDBusConnection>
#include <QObject>

// The threshold alert as a desktop notification (org.freedesktop.Notifications), for trays that
// keep the icon's position to themselves. One notification at a time: a new text replaces the
// shown one in place, and a close by the user is reported like a closed balloon.
class NotificationAlertView : public QObject, public AlertBalloon {
    Q_OBJECT

public:
    explicit NotificationAlertView(QDBusConnection bus = QDBusConnection::sessionBus(),
                                   QObject* parent = nullptr);

    void setTitle(const QString& title) { title_ = title; }
    // Whether a notification service runs on the bus or can be started there.
    bool serviceAvailable() const;
    // Whether the service is showing the alert now.
    bool isShown() const { return serverId_ != 0; }

    int show(const QString& text, int xTwips, int yTwips) override;  // the position is the service's
    void setText(int id, const QString& text) override;
    void close(int id) override;

Q_SIGNALS:
    void userClosed();
    // The service could not be reached or refused the alert: it is not on screen.
    void failed();

private Q_SLOTS:
    void onNotificationClosed(uint serverId, uint reason);

private:
    void notify();
    void closeOnServer();

    QDBusConnection bus_;
    QString title_;
    QString text_;
    QString sentText_;
    int currentId_ = -1;
    int nextId_ = 0;
    uint serverId_ = 0;  // the service's number for the shown notification, 0 for none
    bool awaitingReply_ = false;
    bool sendWhenAnswered_ = false;
    bool closeWhenAnswered_ = false;
};
