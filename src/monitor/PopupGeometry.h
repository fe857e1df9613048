#pragma once

#include <QRect>
#include <QSize>

// Colours and sizes of the pop-up information window, in twips where the window is laid out.
namespace PopupGeometry {

inline constexpr int kTextLeft = 195;
inline constexpr int kTextTop = 165;
inline constexpr int kBandThickness = 60;
inline constexpr int kBevelStep = 15;

// Adds adjust to each of the red, green and blue parts of a colour number (blue-green-red order,
// 0x0000FF is red), each clamped to 0..255.
int AdjustColor(int colour, int adjust);

// The window size for a text of the given size: the text's margins on both sides plus the frame.
QSize windowSize(QSize textTwips);

// Bottom-right corner of the work area, when no auto-hiding panel needs following. Where that would
// cover the tray icon (a work area that takes in the panel), the window sits above the icon's top
// edge instead. An icon in the upper half of the screen (a panel at the top) has the window right
// below it, right edges lined up as far as the work area allows. An empty icon rectangle is an
// icon that could not be located.
QRect placement(QSize windowTwips, int workAreaWidth, int workAreaHeight, const QRect& iconTwips = QRect());

// Pixels: the window beside the place a click came from, below it when the click was in the
// screen's upper half (a panel at the top), above it otherwise, centred on it and kept on the screen.
QRect besideClick(QSize window, const QRect& clicked, const QRect& screen);

}  // namespace PopupGeometry
