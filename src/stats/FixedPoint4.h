#pragma once

#include <QtGlobal>

// Numbers with four decimal places held as whole counts of 1/10000, the form the CPU meter computes
// in. Every division rounds to four decimals, halves to even.
class FixedPoint4 {
public:
    static constexpr qint64 kScale = 10000;

    constexpr FixedPoint4() = default;
    // A raw count read as a fixed-point number: the count scaled by 1/10000.
    static constexpr FixedPoint4 fromRaw(qint64 raw) { return FixedPoint4(raw); }
    static constexpr FixedPoint4 fromInteger(qint64 whole) { return FixedPoint4(whole * kScale); }

    constexpr qint64 raw() const { return raw_; }
    constexpr bool isZero() const { return raw_ == 0; }

    // Results beyond the 64-bit range saturate.
    FixedPoint4 operator-(FixedPoint4 other) const;
    FixedPoint4 operator*(qint64 factor) const;
    // Quotients rounded to four decimals, halves to even. The divisor must not be zero.
    FixedPoint4 operator/(FixedPoint4 divisor) const;
    FixedPoint4 operator/(qint64 divisor) const;
    // The largest whole number not above the value (so -0.2 gives -1).
    qint64 floor() const;

private:
    explicit constexpr FixedPoint4(qint64 raw) : raw_(raw) {}
    qint64 raw_ = 0;
};
