#include "app/AlertBalloonChooser.h"

AlertBalloonChooser::AlertBalloonChooser(AlertBalloonView& balloon, NotificationAlertView& notification,
                                         std::function<bool()> useNotification, QObject* parent)
    : QObject(parent),
      balloon_(balloon),
      notification_(notification),
      useNotification_(std::move(useNotification)),
      active_(&balloon) {
    connect(&balloon_, &AlertBalloonView::userClosed, this, &AlertBalloonChooser::userClosed);
    connect(&notification_, &NotificationAlertView::userClosed, this, &AlertBalloonChooser::userClosed);
}

void AlertBalloonChooser::setTitle(const QString& title) {
    balloon_.setTitle(title);
    notification_.setTitle(title);
}

int AlertBalloonChooser::show(const QString& text, int xTwips, int yTwips) {
    active_ = useNotification_() ? static_cast<AlertBalloon*>(&notification_) : &balloon_;
    return active_->show(text, xTwips, yTwips);
}

void AlertBalloonChooser::setText(int id, const QString& text) {
    active_->setText(id, text);
}

void AlertBalloonChooser::close(int id) {
    active_->close(id);
}
