#include "stats/WorkArea.h"

#include <algorithm>
#include <cmath>

int twipsPerPixelFor(qreal logicalDpi) {
    constexpr int kTwipsPerInch = 1440;
    constexpr int kClassicTwipsPerPixel = 15;
    if (!(logicalDpi > 0) || !std::isfinite(logicalDpi)) {
        return kClassicTwipsPerPixel;
    }
    return std::max(1, qRound(kTwipsPerInch / logicalDpi));
}

WorkAreaTwips workAreaInTwips(const QRect& availablePixels, int twipsPerPixelX, int twipsPerPixelY) {
    if (availablePixels.isEmpty()) {
        return {};
    }
    // QRect's right() and bottom() name the last pixel inside; the edge lies one pixel further.
    return {(availablePixels.right() + 1) * twipsPerPixelX, (availablePixels.bottom() + 1) * twipsPerPixelY};
}
