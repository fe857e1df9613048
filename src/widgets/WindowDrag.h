#pragma once

#include <QObject>
#include <QPoint>

class QWidget;

// Moves a window when its body is dragged with the left button, children that leave the mouse to
// their parent (labels, frames) included. The window manager moves it where it can, as for a
// caption drag, snapping and keeping it on a screen; where the window system refuses, the window
// follows the pointer itself.
class WindowDrag : public QObject {
    Q_OBJECT

public:
    explicit WindowDrag(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window_;
    bool following_ = false;  // moving the window ourselves
    QPoint grip_;             // the pointer relative to the window's frame
};
