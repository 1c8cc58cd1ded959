#include "calc/offsets.h"
#include "calc/single.h"

#include <cmath>
#include <limits>

namespace calc {

using detail::RoundToSingle;

std::string WholeToText(std::int32_t value) {
    return std::to_string(value);
}

std::int32_t RoundToWhole(float value) {
    const double v = value; // exact
    // Fails when v < -2147483648.5 or v >= 2147483647.5. No single lies in
    // between those bounds and the integer ends, so these tests are exact.
    if (!(v >= -2147483648.5 && v < 2147483647.5))
        throw Failure{}; // also NaN
    // Ties to even done by hand, so a changed floating-point rounding mode
    // elsewhere in the process cannot change the result.
    const double down = std::floor(v);
    const double fraction = v - down; // exact for any single
    double whole = down;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(down, 2.0) != 0.0))
        whole += 1.0;
    if (whole > 2147483647.0 || whole < -2147483648.0)
        throw Failure{};
    return static_cast<std::int32_t>(whole);
}

std::int16_t NarrowToInt16(std::int32_t value) {
    if (value < std::numeric_limits<std::int16_t>::min() ||
        value > std::numeric_limits<std::int16_t>::max())
        throw Failure{};
    return static_cast<std::int16_t>(value);
}

std::optional<double> WallOffsetValue(int alignment, double t, double w) {
    switch (alignment) {
    case 0: // centre on the left/bottom edge of the wall
        return t / 2.0;
    case 1: // align left/bottom: the level's own default, no arithmetic
        return 0.0;
    case 2: // centre: both halves and their difference
        return t / 2.0 - w / 2.0;
    case 3: // align right/top
        return t - w;
    case 4: // centre on the right/top edge: the wall minus the texture, unhalved
        return w - t;
    default: // no row selected
        return std::nullopt;
    }
}

float ToSingle(double value) {
    return RoundToSingle(value);
}

std::string CalcWallOffset(std::int16_t alignment, float texture, float wall) {
    // Every operand is a single widened exactly to double, and each row is one
    // rounding of an exact (or, for row 2, exactly halved) operation, so the
    // result equals the correctly rounded single result of the formula.
    if (alignment == 1)
        return "0";
    const std::optional<double> offset = WallOffsetValue(alignment, texture, wall);
    return offset ? NumberToText(RoundToSingle(*offset)) : std::string();
}

std::string CalcFCOffset(float texturePosition, float mapCoordinate) {
    constexpr std::int32_t grid = 8;
    // The cell is found from the rounded coordinate with truncating division and
    // a 16-bit grid base, which limits coordinates to -32775..32767.
    const std::int32_t whole = RoundToWhole(mapCoordinate);
    const std::int16_t cell = NarrowToInt16(whole / grid);
    const std::int16_t base = NarrowToInt16(std::int32_t{cell} * grid);

    // Rounding may have put the coordinate just below its cell (15.5 -> 16), and
    // truncation puts negative coordinates one cell too high; one correction by
    // the grid size brings both into 0..8.
    float reduced = RoundToSingle(static_cast<double>(mapCoordinate) - base);
    if (reduced < 0.0f)
        reduced = RoundToSingle(static_cast<double>(reduced) + grid);

    return NumberToText(RoundToSingle(static_cast<double>(reduced) - texturePosition));
}

} // namespace calc
