// Offset arithmetic for wall and floor/ceiling textures, and the conversions
// between field text and numbers that every calculation shares.
//
// Everything here is pure, standard C++ and deterministic: the same inputs give
// the same text, bit for bit, on every compiler and processor. Numbers are
// IEEE 754 single precision; intermediate steps run in double and are rounded
// to single exactly where noted.
#pragma once

#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <string_view>

namespace calc {

// The one kind of error of the arithmetic: a text that is not a number, a value
// out of range, or an overflowing step. It carries no detail on purpose; the
// window only shows "Error".
struct Failure : std::exception {
    const char* what() const noexcept override { return "calculation failed"; }
};

// Reads a field: a plain decimal number ("16", "-3", "2.5", ".5", "1e3") or
// simple arithmetic on such numbers ("128+64", "3*64", "(256-48)/2"), with
// spaces or tabs around tokens. Arithmetic is done in double and rounded once to
// single; a lone number is rounded straight to the nearest single. Throws
// Failure for anything else, a division by zero, a result beyond the single
// range, or parentheses nested deeper than 64.
float TextToNumber(std::string_view text);

// The text a size field is saved as, so the next start reads back the number
// the field shows: arithmetic that evaluates ("256-48", "(64)", "--8") becomes
// its value's text ("208", "64", "8"); a plain number, optionally signed
// ("12.5", "-3", " 16 "), and text that is not a number stay exactly as typed.
std::string StoredText(std::string_view text);

// Seven significant digits of the exact value, rounded half away from zero,
// "." as the separator whatever the locale, no trailing zeros: 8, -4, 2.5,
// 0.4000001, 0.000015, 1E+08, 1.234568E+07, 1.25E-06. Negative zero gives "0".
std::string NumberToText(float value);

// Plain decimal digits with a leading "-" for negatives.
std::string WholeToText(std::int32_t value);

// Nearest 32-bit integer, ties to even (16.5 -> 16, 17.5 -> 18, -2.5 -> -2).
// Throws Failure for NaN, infinity and values outside the 32-bit range.
std::int32_t RoundToWhole(float value);

// Throws Failure unless value lies in -32768..32767.
std::int16_t NarrowToInt16(std::int32_t value);

// The wall texture offset of alignment row 0..4 (as below) for texture and
// wall sizes given in double, exactly as far as double holds it, not yet
// rounded: t / 2, 0, t / 2 - w / 2, t - w, w - t. Nothing for any other row.
std::optional<double> WallOffsetValue(int alignment, double texture, double wall);

// Rounds a double to the nearest single, ties to even. Throws Failure for NaN
// and for a value that would round to infinity.
float ToSingle(double value);

// The wall texture offset for alignment row 0..4 (centre on the near edge,
// align near [default], centre, align far, centre on the far edge), texture
// size first and wall size second. Row 1 always gives "0"; a row outside 0..4
// gives the empty text. Throws Failure when the result overflows single.
std::string CalcWallOffset(std::int16_t alignment, float texture, float wall);

// The floor/ceiling texture offset on the 8-unit grid: the map coordinate
// reduced into its grid cell (0 up to 8), minus the texture position. Throws
// Failure when the coordinate rounds outside -32775..32767.
std::string CalcFCOffset(float texturePosition, float mapCoordinate);

} // namespace calc
