#include "stats/Percent.h"

#include "platform/RoundHalfToEven.h"

#include <limits>

std::optional<qint16> percentOf(quint64 part, quint64 whole) {
    if (whole == 0) {
        return std::nullopt;
    }
    const __int128 percent = divideRoundHalfToEven(static_cast<__int128>(part) * 100, whole);
    if (percent > std::numeric_limits<qint16>::max()) {
        return std::nullopt;
    }
    return static_cast<qint16>(percent);
}
