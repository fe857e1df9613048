#pragma once

#include "app/AlertBalloon.h"
#include "app/AlertBalloonView.h"
#include "app/NotificationAlertView.h"

#include <functional>

// Shows each new alert either as the balloon at the tray icon or, when the tray keeps the icon's
// position to itself, as a desktop notification; its updates and its close go to the same view.
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
    AlertBalloonView& balloon_;
    NotificationAlertView& notification_;
    std::function<bool()> useNotification_;
    AlertBalloon* active_;
};
