#include "options/ThresholdStepping.h"

namespace ThresholdStepping {

int up(int value, int step, int maximum) {
    if (step <= 0 || value >= maximum) {
        return value;
    }
    const int remainder = value % step;
    return (remainder > 0 ? value - remainder : value) + step;
}

int down(int value, int step, int minimum) {
    if (step <= 0 || value <= minimum) {
        return value;
    }
    const int remainder = value % step;
    return remainder == 0 ? value - step : value - remainder;
}

}  // namespace ThresholdStepping
