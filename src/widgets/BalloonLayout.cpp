#include "widgets/BalloonLayout.h"

#include <algorithm>

namespace BalloonGeometry {

BalloonLayout layout(QSize bodySize, const QRect& target, const QRect& screen) {
    BalloonLayout result;
    const int width = bodySize.width();
    const int height = bodySize.height() + kTailHeight;
    const int tipX = target.x() + target.width() / 2;

    result.tailBelow = target.y() - height >= screen.top();
    const int tipY = result.tailBelow ? target.y() : target.y() + target.height();
    const int top = result.tailBelow ? tipY - height : tipY;

    const int screenRight = screen.x() + screen.width();
    const bool opensRight = tipX - kTailInset + width <= screenRight;
    int left = opensRight ? tipX - kTailInset : tipX + kTailInset - width;
    left = std::max(screen.left(), std::min(left, screenRight - width));
    result.window = QRect(left, top, width, height);

    const int bodyTop = result.tailBelow ? 0 : kTailHeight;
    result.body = QRect(0, bodyTop, width, bodySize.height());

    // The tail's base lies on the body edge facing the target, clear of the rounded corners.
    const int localTipX = tipX - left;
    const int lowestBase = kCornerRadius;
    const int highestBase = std::max(lowestBase, width - kCornerRadius - kTailWidth);
    const int baseStart =
        std::clamp(opensRight ? localTipX : localTipX - kTailWidth, lowestBase, highestBase);
    const int baseY = result.tailBelow ? bodyTop + bodySize.height() : bodyTop;
    const int localTipY = result.tailBelow ? height : 0;
    result.tail = {QPoint(localTipX, localTipY), QPoint(baseStart, baseY),
                   QPoint(baseStart + kTailWidth, baseY)};
    return result;
}

}  // namespace BalloonGeometry
