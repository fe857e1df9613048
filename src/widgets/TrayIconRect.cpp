#include "widgets/TrayIconRect.h"

TrayIconRect trayIconRect;

TrayIconRect trayIconRectFor(const QRect& iconGeometry, const QRect& workArea) {
    if (iconGeometry.isValid() && !iconGeometry.isEmpty()) {
        return {iconGeometry.left(), iconGeometry.top(), iconGeometry.right(), iconGeometry.bottom()};
    }
    // Same shape as the classic fallback at the notification area's corner: left past right by 3,
    // top past bottom by 3.
    const int cornerX = workArea.right();
    const int cornerY = workArea.bottom();
    return {cornerX + 3, cornerY + 4, cornerX, cornerY + 1};
}
