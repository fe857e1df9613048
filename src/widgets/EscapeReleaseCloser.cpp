#include "widgets/EscapeReleaseCloser.h"

#include <QKeyEvent>
#include <QWidget>

EscapeReleaseCloser::EscapeReleaseCloser(QWidget* window, Repeats repeats, std::function<void()> close)
    : QObject(window), window_(window), close_(std::move(close)), repeats_(repeats) {
    window->installEventFilter(this);
}

bool EscapeReleaseCloser::eventFilter(QObject* watched, QEvent* event) {
    if (watched != window_ || (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)) {
        return QObject::eventFilter(watched, event);
    }
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Escape) {
        return false;
    }
    if (event->type() == QEvent::KeyRelease) {
        if (key->isAutoRepeat() && repeats_ == Repeats::Ignored) {
            return false;
        }
        if (close_) {
            close_();
        } else {
            window_->close();
        }
    }
    key->accept();
    return true;
}
