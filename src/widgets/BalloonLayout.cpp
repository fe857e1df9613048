#include "widgets/BalloonLayout.h"

#include <algorithm>

namespace BalloonGeometry {

namespace {
// Where the tail's base starts along a body edge of `length`, near `tip` but clear of the corners.
int tailBaseStart(int tip, int length) {
    const int lowest = kCornerRadius;
    const int highest = std::max(lowest, length - kCornerRadius - kTailWidth);
    return std::clamp(tip - kTailWidth / 2, lowest, highest);
}
}  // namespace

BalloonLayout layout(QSize bodySize, const QRect& target, const QRect& screen) {
    BalloonLayout result;
    const int width = bodySize.width();
    const int height = bodySize.height() + kTailHeight;
    const int tipX = target.x() + target.width() / 2;

    const bool tailBelow = target.y() - height >= screen.top();
    result.tailEdge = tailBelow ? BalloonLayout::TailEdge::Bottom : BalloonLayout::TailEdge::Top;
    const int tipY = tailBelow ? target.y() : target.y() + target.height();
    const int top = tailBelow ? tipY - height : tipY;

    const int screenRight = screen.x() + screen.width();
    const bool opensRight = tipX - kTailInset + width <= screenRight;
    int left = opensRight ? tipX - kTailInset : tipX + kTailInset - width;
    left = std::max(screen.left(), std::min(left, screenRight - width));
    result.window = QRect(left, top, width, height);

    const int bodyTop = tailBelow ? 0 : kTailHeight;
    result.body = QRect(0, bodyTop, width, bodySize.height());

    // The tail's base lies on the body edge facing the target, clear of the rounded corners.
    const int localTipX = tipX - left;
    const int lowestBase = kCornerRadius;
    const int highestBase = std::max(lowestBase, width - kCornerRadius - kTailWidth);
    const int baseStart =
        std::clamp(opensRight ? localTipX : localTipX - kTailWidth, lowestBase, highestBase);
    const int baseY = tailBelow ? bodyTop + bodySize.height() : bodyTop;
    const int localTipY = tailBelow ? height : 0;
    result.tail = {QPoint(localTipX, localTipY), QPoint(baseStart, baseY),
                   QPoint(baseStart + kTailWidth, baseY)};
    return result;
}

BalloonLayout besideLayout(QSize bodySize, const QRect& window, const QRect& row, const QRect& screen) {
    BalloonLayout result;
    const int width = bodySize.width() + kTailHeight;
    const int height = bodySize.height();
    const int screenRight = screen.x() + screen.width();
    const int roomRight = screenRight - (window.x() + window.width());
    const int roomLeft = window.x() - screen.x();
    const bool opensRight = roomRight >= width || (roomLeft < width && roomRight >= roomLeft);
    result.tailEdge = opensRight ? BalloonLayout::TailEdge::Left : BalloonLayout::TailEdge::Right;

    // The tip touches the window's edge from outside, as the vertical layout touches its target.
    const int tipX = opensRight ? window.x() + window.width() : window.x();
    const int tipY = row.y() + row.height() / 2;
    int left = opensRight ? tipX : tipX - width;
    left = std::max(screen.left(), std::min(left, screenRight - width));
    // The tail near the body's top, as far as the screen's bottom edge allows.
    int top = tipY - kTailInset - kTailWidth / 2;
    top = std::max(screen.top(), std::min(top, screen.y() + screen.height() - height));
    result.window = QRect(left, top, width, height);

    const int bodyLeft = opensRight ? kTailHeight : 0;
    result.body = QRect(bodyLeft, 0, bodySize.width(), height);
    const int localTipY = tipY - top;
    const int baseStart = tailBaseStart(localTipY, height);
    const int baseX = opensRight ? bodyLeft : bodyLeft + bodySize.width();
    result.tail = {QPoint(tipX - left, localTipY), QPoint(baseX, baseStart),
                   QPoint(baseX, baseStart + kTailWidth)};
    return result;
}

}  // namespace BalloonGeometry
