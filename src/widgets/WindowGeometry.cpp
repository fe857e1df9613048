#include "widgets/WindowGeometry.h"

#include "stats/WorkArea.h"

#include <QCursor>
#include <QWidget>

namespace WindowGeometry {

int twipsPerPixelX(const QWidget& form) {
    return twipsPerPixelFor(form.logicalDpiX());
}
int twipsPerPixelY(const QWidget& form) {
    return twipsPerPixelFor(form.logicalDpiY());
}

bool IsCursorOutsideClient(const QWidget& form) {
    return IsCursorOutsideClient(form, QCursor::pos());
}

bool IsCursorOutsideClient(const QWidget& form, QPoint globalCursor) {
    const QPoint client = form.mapFromGlobal(globalCursor);
    const int x = client.x() * twipsPerPixelX(form);
    const int y = client.y() * twipsPerPixelY(form);
    const QRect window = form.frameGeometry();
    return x < 0 || y < 0 || x > window.width() * twipsPerPixelX(form) ||
           y > window.height() * twipsPerPixelY(form);
}

bool IsCursorOutsideWindow(const QWidget& form) {
    return IsCursorOutsideWindow(form, QCursor::pos());
}

bool IsCursorOutsideWindow(const QWidget& form, QPoint globalCursor) {
    const int tx = twipsPerPixelX(form);
    const int ty = twipsPerPixelY(form);
    const QRect window = form.frameGeometry();
    const int x = globalCursor.x() * tx;
    const int y = globalCursor.y() * ty;
    const int left = window.x() * tx;
    const int top = window.y() * ty;
    return !(x >= left && x <= left + window.width() * tx && y >= top && y <= top + window.height() * ty);
}

qint32 GetBorderWidth(const QWidget& form) {
    return (form.frameGeometry().width() - form.width()) * twipsPerPixelX(form) / 2;
}

qint32 GetTitleBarHeight(const QWidget& form) {
    return (form.frameGeometry().height() - form.height()) * twipsPerPixelY(form) - GetBorderWidth(form);
}

void SetHiddenFromTaskList(QWidget& form, bool hide) {
    if (form.windowFlags().testFlag(Qt::Tool) == hide) {
        return;
    }
    const bool visible = form.isVisible();
    form.setWindowFlag(Qt::Tool, hide);  // tool windows stay out of the taskbar and task switcher
    if (visible) {
        form.show();
    }
}

}  // namespace WindowGeometry
