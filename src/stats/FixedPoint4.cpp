#include "stats/FixedPoint4.h"

#include "platform/RoundHalfToEven.h"

#include <limits>

namespace {

qint64 saturate(__int128 value) {
    constexpr qint64 high = std::numeric_limits<qint64>::max();
    constexpr qint64 low = std::numeric_limits<qint64>::min();
    return value > high ? high : value < low ? low : static_cast<qint64>(value);
}

}  // namespace

FixedPoint4 FixedPoint4::operator-(FixedPoint4 other) const {
    return FixedPoint4(saturate(static_cast<__int128>(raw_) - other.raw_));
}

FixedPoint4 FixedPoint4::operator*(qint64 factor) const {
    return FixedPoint4(saturate(static_cast<__int128>(raw_) * factor));
}

FixedPoint4 FixedPoint4::operator/(FixedPoint4 divisor) const {
    return FixedPoint4(saturate(divideRoundHalfToEven(static_cast<__int128>(raw_) * kScale, divisor.raw_)));
}

FixedPoint4 FixedPoint4::operator/(qint64 divisor) const {
    return FixedPoint4(saturate(divideRoundHalfToEven(raw_, divisor)));
}

qint64 FixedPoint4::floor() const {
    const qint64 whole = raw_ / kScale;
    return (raw_ % kScale < 0) ? whole - 1 : whole;
}
