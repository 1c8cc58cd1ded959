#include "calc/offsets.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace calc {
namespace {

constexpr int significant = 7;
constexpr std::uint32_t smallest = 1000000; // 10^(significant - 1)
constexpr std::uint32_t beyond = 10000000;  // 10^significant

// A magnitude rounded to seven significant digits: digits * 10^(exponent - 6),
// with digits in [10^6, 10^7).
struct Rounded {
    std::uint32_t digits = 0;
    int exponent = 0;
};

// Rounds half away from zero once the integer part and the fraction left over
// are known, carrying into a new digit when the seven nines round up.
Rounded Round(std::uint32_t whole, bool upward, int exponent) {
    Rounded r{whole + (upward ? 1u : 0u), exponent};
    if (r.digits == beyond) {
        r.digits = smallest;
        ++r.exponent;
    }
    return r;
}

// The exact route: every single is a dyadic rational with at most 112
// significant decimal digits, so 121 digits reproduce it without rounding and
// the eighth digit alone decides: 5 or more is at least half a unit.
Rounded RoundExactly(double magnitude) {
    std::array<char, 160> buffer{};
    // Cannot run out of room: 1 + "." + 120 digits + "e-45" is well under 160.
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                      std::chars_format::scientific, 120);
    const std::string_view text(buffer.data(),
                                static_cast<std::size_t>(result.ptr - buffer.data()));
    std::uint32_t whole = static_cast<std::uint32_t>(text[0] - '0');
    for (std::size_t i = 2; i < 2 + significant - 1; ++i) // the digits after the point
        whole = whole * 10 + static_cast<std::uint32_t>(text[i] - '0');
    const bool upward = text[2 + significant - 1] >= '5';
    return Round(whole, upward, std::atoi(text.data() + text.find('e') + 1));
}

// magnitude * 10^power in correctly rounded steps by exact powers of ten, at
// most three of them (singles need powers from -32 to 51), so the relative
// error stays below 4e-16.
double Scale(double magnitude, int power) {
    static constexpr std::array<double, 23> powers = {
        1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
        1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    for (; power > 22; power -= 22)
        magnitude *= powers[22];
    for (; power < -22; power += 22)
        magnitude /= powers[22];
    return power >= 0 ? magnitude * powers[static_cast<std::size_t>(power)]
                      : magnitude / powers[static_cast<std::size_t>(-power)];
}

// The quick route: scale the magnitude to seven digits before the point in
// double. Its error (below 1e-8 there) can only change the result when the
// fraction left over is within that of one half; then the exact route
// decides. An integer part off by one near a whole number rounds to the same
// seven digits either way.
Rounded RoundToSevenDigits(double magnitude) {
    int exponent = static_cast<int>(std::floor(std::log10(magnitude)));
    double scaled = Scale(magnitude, significant - 1 - exponent);
    if (scaled >= beyond) { // log10 came out one too low
        ++exponent;
        scaled = Scale(magnitude, significant - 1 - exponent);
    } else if (scaled < smallest) {
        --exponent;
        scaled = Scale(magnitude, significant - 1 - exponent);
    }
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    if (std::fabs(fraction - 0.5) < 1e-6 || whole < smallest || whole >= beyond)
        return RoundExactly(magnitude);
    return Round(static_cast<std::uint32_t>(whole), fraction > 0.5, exponent);
}

} // namespace

std::string NumberToText(float value) {
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value < 0 ? "-Infinity" : "Infinity";
    if (value == 0.0f)
        return "0"; // negative zero too

    const Rounded rounded = RoundToSevenDigits(std::fabs(static_cast<double>(value)));
    std::string mantissa = std::to_string(rounded.digits);
    while (mantissa.back() == '0') // never empties: the first digit is not 0
        mantissa.pop_back();
    const int exponent = rounded.exponent;
    const int decimals = static_cast<int>(mantissa.size()) - 1;

    std::string text = value < 0 ? "-" : "";
    const bool fixed = (exponent >= -4 && exponent < significant) ||
                       (exponent < 0 && -exponent + decimals < significant);
    if (fixed) {
        if (exponent < 0) {
            text += "0.";
            text.append(static_cast<std::size_t>(-exponent - 1), '0');
            text += mantissa;
        } else {
            const auto whole = static_cast<std::size_t>(exponent) + 1;
            if (mantissa.size() <= whole) {
                text += mantissa;
                text.append(whole - mantissa.size(), '0');
            } else {
                text += mantissa.substr(0, whole);
                text += '.';
                text += mantissa.substr(whole);
            }
        }
        return text;
    }

    text += mantissa[0];
    if (decimals > 0) {
        text += '.';
        text += mantissa.substr(1);
    }
    text += exponent < 0 ? "E-" : "E+";
    const int magnitude = std::abs(exponent);
    if (magnitude < 10)
        text += '0';
    text += std::to_string(magnitude);
    return text;
}

} // namespace calc
