#include "monitor/MonitorGeometry.h"

#include <algorithm>

namespace MonitorGeometry {

int placedTop(std::optional<int> storedTop, int windowHeight, int workAreaHeight, int previousRowCount,
              int rowCount) {
    int top = storedTop.value_or(workAreaHeight - windowHeight);
    if (previousRowCount < rowCount && top + windowHeight > workAreaHeight) {
        top = workAreaHeight - windowHeight;
        if (top < 0) {
            top = 0;
        }
    }
    return top;
}

QPoint ontoNearestWorkArea(const QRect& window, const QList<QRect>& workAreas) {
    for (const QRect& area : workAreas) {
        if (area.intersects(window)) {
            return window.topLeft();
        }
    }
    return insideNearestWorkArea(window, workAreas);
}

QPoint insideNearestWorkArea(const QRect& window, const QList<QRect>& workAreas) {
    const QRect* nearest = nullptr;
    qint64 nearestDistance = 0;
    qint64 nearestOverlap = 0;
    for (const QRect& area : workAreas) {
        // Squared gap between the rectangles (0 along an axis where they overlap).
        const qint64 dx = std::max({0, area.left() - window.right(), window.left() - area.right()});
        const qint64 dy = std::max({0, area.top() - window.bottom(), window.top() - area.bottom()});
        const qint64 distance = dx * dx + dy * dy;
        const QRect common = area.intersected(window);
        const qint64 overlap = qint64(common.width()) * common.height();
        if (nearest == nullptr || distance < nearestDistance ||
            (distance == nearestDistance && overlap > nearestOverlap)) {
            nearest = &area;
            nearestDistance = distance;
            nearestOverlap = overlap;
        }
    }
    if (nearest == nullptr) {
        return window.topLeft();
    }
    const int x = std::max(nearest->left(), std::min(window.left(), nearest->right() + 1 - window.width()));
    const int y = std::max(nearest->top(), std::min(window.top(), nearest->bottom() + 1 - window.height()));
    return {x, y};
}

}  // namespace MonitorGeometry
