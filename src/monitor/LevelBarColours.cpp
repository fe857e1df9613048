#include "monitor/LevelBarColours.h"

#include <algorithm>
#include <cmath>

namespace LevelBarColours {

QColor fromBgr(quint32 bgr) {
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

QColor gradientAt(const QColor& start, const QColor& end, double fraction) {
    const double t = std::clamp(fraction, 0.0, 1.0);
    const auto mix = [t](int a, int b) { return int(std::lround(a + (b - a) * t)); };
    return QColor(mix(start.red(), end.red()), mix(start.green(), end.green()),
                  mix(start.blue(), end.blue()));
}

}  // namespace LevelBarColours
