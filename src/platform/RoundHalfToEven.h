#pragma once

#include <QtGlobal>

// Rounding to the nearest whole number, a half going to the even neighbour (2.5 gives 2, 3.5 gives 4,
// -2.5 gives -2), as the classic integer conversions did: saved settings and the numbers users
// compare were made that way. Neither depends on the floating-point rounding mode, which
// std::nearbyint follows and any library we load may change.

// NaN and infinities come back unchanged.
double roundHalfToEven(double value);

// numerator / denominator, exactly; the denominator must not be zero.
__int128 divideRoundHalfToEven(__int128 numerator, __int128 denominator);
