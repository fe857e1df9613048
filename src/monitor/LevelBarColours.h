#pragma once

#include <QColor>

// Colours of the level bars. Colour numbers are written blue-green-red (0x0000FF is red).
namespace LevelBarColours {

inline constexpr quint32 kGreen = 0x00C000;
inline constexpr quint32 kRed = 0x0000FF;

QColor fromBgr(quint32 bgr);
// The gradient's colour at `fraction` (0 at the bar's left end, 1 at its right end).
QColor gradientAt(const QColor& start, const QColor& end, double fraction);

}  // namespace LevelBarColours
