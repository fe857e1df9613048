#pragma once

#include <QtGlobal>
#include <optional>

// part / whole x 100 as a whole percentage, halves to even (12.5 gives 12, 13.5 gives 14); nothing
// when whole is zero or the result does not fit 16 bits.
std::optional<qint16> percentOf(quint64 part, quint64 whole);
