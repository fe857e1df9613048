#pragma once

#include <QPoint>
#include <QRect>
#include <QtGlobal>

// A screen rectangle in pixels kept as its four edges, both inclusive. Left may lie right of right
// (and top below bottom): such a rectangle contains no point at all, which the fallback relies on.
struct TrayIconRect {
    qint32 left = 0;
    qint32 top = 0;
    qint32 right = 0;
    qint32 bottom = 0;

    bool contains(QPoint point) const {
        return point.x() >= left && point.x() <= right && point.y() >= top && point.y() <= bottom;
    }
    bool isEmpty() const { return left > right || top > bottom; }
    // The same edges as a QRect; the fallback gives an empty (never containing) QRect.
    QRect toQRect() const { return QRect(QPoint(left, top), QPoint(right, bottom)); }
    friend bool operator==(const TrayIconRect&, const TrayIconRect&) = default;
};

// The program's tray icon on the screen, recomputed by LocateTrayIcon.
extern TrayIconRect trayIconRect;

// The icon's rectangle when the tray reports a geometry; otherwise an empty rectangle at the
// bottom-right corner of the work area, so the pointer is never taken to be on the icon.
TrayIconRect trayIconRectFor(const QRect& iconGeometry, const QRect& workArea);
