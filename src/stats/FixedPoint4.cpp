#include "stats/FixedPoint4.h"

#include <limits>

namespace {

qint64 saturate(__int128 value) {
    constexpr qint64 high = std::numeric_limits<qint64>::max();
    constexpr qint64 low = std::numeric_limits<qint64>::min();
    return value > high ? high : value < low ? low : static_cast<qint64>(value);
}

}  // namespace

qint64 FixedPoint4::roundHalfEven(__int128 numerator, __int128 denominator) {
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    __int128 quotient = numerator / denominator;
    __int128 remainder = numerator % denominator;
    if (remainder < 0) {  // make it a floor division
        quotient -= 1;
        remainder += denominator;
    }
    if (remainder * 2 > denominator || (remainder * 2 == denominator && quotient % 2 != 0)) {
        quotient += 1;
    }
    return saturate(quotient);
}

FixedPoint4 FixedPoint4::operator-(FixedPoint4 other) const {
    return FixedPoint4(saturate(static_cast<__int128>(raw_) - other.raw_));
}

FixedPoint4 FixedPoint4::operator*(qint64 factor) const {
    return FixedPoint4(saturate(static_cast<__int128>(raw_) * factor));
}

FixedPoint4 FixedPoint4::operator/(FixedPoint4 divisor) const {
    return FixedPoint4(roundHalfEven(static_cast<__int128>(raw_) * kScale, divisor.raw_));
}

FixedPoint4 FixedPoint4::operator/(qint64 divisor) const {
    return FixedPoint4(roundHalfEven(raw_, divisor));
}

qint64 FixedPoint4::floor() const {
    const qint64 whole = raw_ / kScale;
    return (raw_ % kScale < 0) ? whole - 1 : whole;
}
