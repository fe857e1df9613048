#include "widgets/WindowDrag.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

WindowDrag::WindowDrag(QWidget* window) : QObject(window), window_(window) {
    window->installEventFilter(this);
}

bool WindowDrag::eventFilter(QObject* watched, QEvent* event) {
    if (watched != window_) {
        return QObject::eventFilter(watched, event);
    }
    if (event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton) {
            return false;
        }
        QWindow* handle = window_->windowHandle();
        if (handle == nullptr || !handle->startSystemMove()) {
            following_ = true;
            grip_ = mouse->globalPosition().toPoint() - window_->frameGeometry().topLeft();
        }
        return true;
    }
    if (event->type() == QEvent::MouseMove && following_) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (!(mouse->buttons() & Qt::LeftButton)) {
            following_ = false;  // the button is up: the drag has ended
            return false;
        }
        window_->move(mouse->globalPosition().toPoint() - grip_);
        return true;
    }
    return false;
}
