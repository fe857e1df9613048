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
