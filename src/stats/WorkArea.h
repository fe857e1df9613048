#pragma once

#include <QRect>
#include <QtGlobal>

// The work area as the windows place themselves by it: its right and bottom edges, in twips.
struct WorkAreaTwips {
    int width = 0;   // the right edge, from the left of the desktop
    int height = 0;  // the bottom edge, from the top of the desktop
};

// Twips per pixel for a logical resolution: 1440 / dpi, 15 at 96 dpi; 15 when the resolution is unknown.
int twipsPerPixelFor(qreal logicalDpi);

// The edges of an available-geometry rectangle (pixels) in twips.
WorkAreaTwips workAreaInTwips(const QRect& availablePixels, int twipsPerPixelX, int twipsPerPixelY);
