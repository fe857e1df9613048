#pragma once

#include "app/AlertBalloon.h"
#include "app/AlertBalloonView.h"
#include "app/NotificationAlertView.h"

#include <functional>

// Shows each new alert either as the balloon at the tray icon or, when the tray keeps the icon's
// position to itself, as a desktop notification; its updates and its close go to the same view.
// An alert the notification service cannot show moves to the balloon at once, so none is lost.
class AlertBalloonChooser : public QObject, public AlertBalloon {
    Q_OBJECT

public:
    AlertBalloonChooser(AlertBalloonView& balloon, NotificationAlertView& notification,
                        std::function<bool()> useNotification, QObject* parent = nullptr);

    void setTitle(const QString& title);
    int show(const QString& text, int xTwips, int yTwips) override;
    void setText(int id, const QString& text) override;
    void close(int id) override;

Q_SIGNALS:
    void userClosed();

private:
    void fallBackToBalloon();

    AlertBalloonView& balloon_;
    NotificationAlertView& notification_;
    std::function<bool()> useNotification_;
    AlertBalloon* active_;
    // The shown alert as the monitor knows it (its number here and the view's own), its text and
    // where the balloon would point.
    int id_ = -1;
    int nextId_ = 0;
    int viewId_ = -1;
    QString text_;
    QPoint anchorTwips_;
};
