#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <optional>

// Layout and placement of the monitor window, in twips.
namespace MonitorGeometry {

inline constexpr int kClientWidth = 4020;
inline constexpr int kTextLeft = 120;
inline constexpr int kTextTop = 135;
inline constexpr int kTextWidth = 1935;
inline constexpr int kTextHeight = 240;
inline constexpr int kBarLeft = 2070;
inline constexpr int kBarTop = 120;
inline constexpr int kBarWidth = 1815;
inline constexpr int kBarHeight = 255;
inline constexpr int kRowPitch = 270;
// Below the last label: the 420 of the outer-height rule less the classic 60-twip window border,
// which leaves the same margin under the last bar as above the first.
inline constexpr int kBottomMargin = 360;

constexpr int textTop(int row) {
    return kTextTop + kRowPitch * row;
}
constexpr int barTop(int row) {
    return kBarTop + kRowPitch * row;
}
constexpr int clientHeight(int rowCount) {
    return textTop(rowCount - 1) + kBottomMargin;
}

// The window's top: the stored one (default: resting on the work area's bottom). Only a window
// that has more rows than at its last placement is pulled back into the work area, never above 0.
int placedTop(std::optional<int> storedTop, int windowHeight, int workAreaHeight, int previousRowCount,
              int rowCount);

// Where a window (in pixels) is seen: where it is when it overlaps a work area, otherwise inside
// the nearest work area (its top-left corner first where the window is bigger).
QPoint ontoNearestWorkArea(const QRect& window, const QList<QRect>& workAreas);
// Where the window lies wholly inside the work area nearest to it (the one it overlaps most).
QPoint insideNearestWorkArea(const QRect& window, const QList<QRect>& workAreas);

// Home: the bottom-left corner of the work area.
constexpr int homeTop(int windowHeight, int workAreaHeight) {
    return workAreaHeight - windowHeight;
}

}  // namespace MonitorGeometry
