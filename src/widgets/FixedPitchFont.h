#pragma once

#include <QFont>

// A fixed-pitch font, so dotted columns of text line up. Platforms without a theme answer the
// system's fixed font with a proportional one; then the generic monospace family stands in.
QFont fixedPitchFont();
