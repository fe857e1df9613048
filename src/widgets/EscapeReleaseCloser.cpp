#include "widgets/EscapeReleaseCloser.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

EscapeReleaseCloser::EscapeReleaseCloser(QWidget* window, Repeats repeats, std::function<void()> close)
    : QObject(window), window_(window), close_(std::move(close)), repeats_(repeats) {
    window->installEventFilter(this);
}

// Releases are watched application-wide only between a press and its release.
void EscapeReleaseCloser::watchReleases(bool on) {
    pressed_ = on;
    if (on) {
        qApp->installEventFilter(this);
    } else {
        qApp->removeEventFilter(this);
    }
}

bool EscapeReleaseCloser::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Hide && watched == window_ && pressed_) {
        watchReleases(false);
    }
    const bool press = event->type() == QEvent::KeyPress;
    if (!press && event->type() != QEvent::KeyRelease) {
        return QObject::eventFilter(watched, event);
    }
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Escape) {
        return false;
    }
    if (press) {
        // The application-wide filter sees presses too; only one that reached the window counts.
        if (watched != window_) {
            return false;
        }
        if (!key->isAutoRepeat()) {
            watchReleases(true);
        }
        key->accept();
        return true;
    }
    // The window system's own window objects see the key before the widgets do: only widgets count.
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!pressed_ || widget == nullptr) {
        return false;
    }
    if (widget != window_ && !window_->isAncestorOf(widget)) {
        if (!key->isAutoRepeat()) {
            watchReleases(false);  // released in another window: this press is spent
        }
        return false;
    }
    if (key->isAutoRepeat() && repeats_ == Repeats::Ignored) {
        key->accept();
        return true;
    }
    watchReleases(false);
    key->accept();
    if (close_) {
        close_();
    } else {
        window_->close();
    }
    return true;
}
