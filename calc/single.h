// Internal to calc/: the one place where a double becomes a single.
#pragma once

#include "calc/offsets.h"

#include <cmath>

namespace calc::detail {

// Rounds to the nearest single, ties to even, and applies the failure rule:
// NaN (an invalid operation) and anything that would round to infinity fail;
// underflow to a denormal or zero does not. Converting an out-of-range double
// to float is undefined behaviour in C++, so the range is checked first.
inline float RoundToSingle(double value) {
    // Halfway between FLT_MAX and the next power of two: at or beyond it the
    // nearest-even rounding goes to infinity.
    constexpr double overflowAt = 0x1.ffffffp127;
    if (std::isnan(value) || std::fabs(value) >= overflowAt)
        throw Failure{};
    return static_cast<float>(value);
}

} // namespace calc::detail
