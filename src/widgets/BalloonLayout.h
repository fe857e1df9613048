#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <array>

// Where a balloon goes on the screen: its body next to the target and a tail whose tip touches the
// target. Plain geometry, so it can be checked without a display.
struct BalloonLayout {
    // The edge of the body that carries the tail.
    enum class TailEdge { Bottom, Top, Left, Right };

    QRect window;                // the balloon's screen geometry, tail included
    QRect body;                  // the rounded body, in window coordinates
    std::array<QPoint, 3> tail;  // tail corners in window coordinates; tail[0] is the tip
    TailEdge tailEdge = TailEdge::Bottom;
    QPoint tipOnScreen() const { return window.topLeft() + tail[0]; }
};

namespace BalloonGeometry {
inline constexpr int kTailHeight = 16;  // from the body's edge to the tip
inline constexpr int kTailWidth = 16;
inline constexpr int kTailInset = 16;  // from the body's side to the tip, when the screen allows
inline constexpr int kCornerRadius = 7;

// The tail points at the middle of the target's top edge with the body above it; when there is no
// room above, at the middle of its bottom edge with the body below. The body opens to the right of
// the tip, or to its left near the right screen edge, and always stays on the screen.
BalloonLayout layout(QSize bodySize, const QRect& target, const QRect& screen);

// Beside a window, covering none of it: the tail points sideways at the window's right edge (or,
// with no room right of it, its left edge) level with the middle of `row`, a band of the window.
// Only where neither side has room does the body overlap the window.
BalloonLayout besideLayout(QSize bodySize, const QRect& window, const QRect& row, const QRect& screen);
}  // namespace BalloonGeometry
