#include "monitor/PopupGeometry.h"

#include <algorithm>

namespace PopupGeometry {

int AdjustColor(int colour, int adjust) {
    int result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int part = std::clamp(((colour >> shift) & 0xFF) + adjust, 0, 255);
        result |= part << shift;
    }
    return result;
}

QSize windowSize(QSize textTwips) {
    return {2 * kTextLeft + textTwips.width() + 90, 2 * kTextTop + textTwips.height() + 90};
}

QRect placement(QSize windowTwips, int workAreaWidth, int workAreaHeight, const QRect& iconTwips) {
    const int iconBottom = iconTwips.y() + iconTwips.height();
    if (!iconTwips.isEmpty() && iconBottom < workAreaHeight / 2) {
        const int right = std::min(workAreaWidth, iconTwips.x() + iconTwips.width());
        return {QPoint(std::max(0, right - windowTwips.width()), iconBottom), windowTwips};
    }
    QRect place(QPoint(workAreaWidth - windowTwips.width(), workAreaHeight - windowTwips.height()),
                windowTwips);
    if (!iconTwips.isEmpty() && place.intersects(iconTwips)) {
        place.moveTop(iconTwips.top() - place.height());
    }
    return place;
}

}  // namespace PopupGeometry

namespace PopupGeometry {

QRect besideClick(QSize window, const QRect& clicked, const QRect& screen) {
    const bool below = clicked.center().y() < screen.center().y();
    const int y = below ? clicked.bottom() + 1 : clicked.top() - window.height();
    const int x = clicked.center().x() - window.width() / 2;
    const int left = qBound(screen.left(), x, qMax(screen.left(), screen.right() + 1 - window.width()));
    const int top = qBound(screen.top(), y, qMax(screen.top(), screen.bottom() + 1 - window.height()));
    return QRect(QPoint(left, top), window);
}

}  // namespace PopupGeometry
