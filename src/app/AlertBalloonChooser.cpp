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
    connect(&notification_, &NotificationAlertView::failed, this, &AlertBalloonChooser::fallBackToBalloon);
}

void AlertBalloonChooser::setTitle(const QString& title) {
    balloon_.setTitle(title);
    notification_.setTitle(title);
}

int AlertBalloonChooser::show(const QString& text, int xTwips, int yTwips) {
    active_ = useNotification_() ? static_cast<AlertBalloon*>(&notification_) : &balloon_;
    text_ = text;
    anchorTwips_ = QPoint(xTwips, yTwips);
    id_ = nextId_;
    nextId_ = (nextId_ + 1) & 0x7FFF;
    viewId_ = active_->show(text, xTwips, yTwips);
    return id_;
}

void AlertBalloonChooser::setText(int id, const QString& text) {
    if (id == id_ && id != -1) {
        text_ = text;
        active_->setText(viewId_, text);
    }
}

void AlertBalloonChooser::close(int id) {
    if (id == id_ && id != -1) {
        id_ = -1;
        active_->close(viewId_);
    }
}

void AlertBalloonChooser::fallBackToBalloon() {
    if (active_ != &notification_ || id_ == -1) {
        return;
    }
    notification_.close(viewId_);
    active_ = &balloon_;
    viewId_ = balloon_.show(text_, anchorTwips_.x(), anchorTwips_.y());
}
