#pragma once

#include <QColor>

// Colours of the level bars. Colour numbers are written blue-green-red (0x0000FF is red).
namespace LevelBarColours {

inline constexpr quint32 kGreen = 0x00C000;
inline constexpr quint32 kRed = 0x0000FF;

QColor fromBgr(quint32 bgr);

}  // namespace LevelBarColours
