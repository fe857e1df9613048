#include "platform/RoundHalfToEven.h"

#include <cmath>

double roundHalfToEven(double value) {
    if (!std::isfinite(value)) {
        return value;
    }
    // floor() and the subtraction are exact, so no step here rounds in the current mode.
    const double below = std::floor(value);
    const double fraction = value - below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0)) {
        return below + 1.0;
    }
    return below;
}

__int128 divideRoundHalfToEven(__int128 numerator, __int128 denominator) {
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    __int128 quotient = numerator / denominator;
    __int128 remainder = numerator % denominator;
    if (remainder < 0) {  // a floor division from here on
        quotient -= 1;
        remainder += denominator;
    }
    if (remainder * 2 > denominator || (remainder * 2 == denominator && quotient % 2 != 0)) {
        quotient += 1;
    }
    return quotient;
}
