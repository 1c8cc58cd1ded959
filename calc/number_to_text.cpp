#include "calc/offsets.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace calc {
namespace {

constexpr int significant = 7;

// The decimal digits of a single in scientific form, enough of them to round
// to seven digits correctly.
struct Expansion {
    std::string digits; // more than seven digits, the first one non-zero
    int exponent = 0;   // decimal exponent of the first digit
};

Expansion Expand(double magnitude, int precision) {
    std::array<char, 160> buffer{};
    // Cannot run out of room: 1 + "." + 120 digits + "e-45" is well under 160.
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                      std::chars_format::scientific, precision);
    const std::string_view text(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data()));
    const std::size_t e = text.find('e');
    Expansion expansion;
    expansion.digits.reserve(static_cast<std::size_t>(precision) + 1);
    for (std::size_t i = 0; i < e; ++i)
        if (text[i] != '.')
            expansion.digits.push_back(text[i]);
    expansion.exponent = std::atoi(text.data() + e + 1);
    return expansion;
}

// Seventeen digits, rounded, settle the seventh digit unless they read
// ...5000000000 after it, which may be a rounded-up ...4999999999. Only then
// is the exact expansion needed: every single is a dyadic rational with at
// most 112 significant decimal digits, so 121 digits reproduce it exactly.
Expansion ExpandForRounding(double magnitude) {
    Expansion quick = Expand(magnitude, 16);
    if (quick.digits.compare(7, std::string::npos, "5000000000") != 0)
        return quick;
    return Expand(magnitude, 120);
}

std::string TrimZeros(std::string s) {
    while (!s.empty() && s.back() == '0')
        s.pop_back();
    return s;
}

} // namespace

std::string NumberToText(float value) {
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value < 0 ? "-Infinity" : "Infinity";
    if (value == 0.0f)
        return "0"; // negative zero too

    const Expansion expansion = ExpandForRounding(std::fabs(static_cast<double>(value)));

    // Seven digits, rounded half away from zero: the eighth digit alone
    // decides, 5 or more means at least half a unit of the seventh.
    std::string mantissa = expansion.digits.substr(0, significant);
    int exponent = expansion.exponent;
    if (expansion.digits[significant] >= '5') {
        int i = significant - 1;
        while (i >= 0 && mantissa[static_cast<std::size_t>(i)] == '9')
            mantissa[static_cast<std::size_t>(i--)] = '0';
        if (i < 0) {
            mantissa.insert(mantissa.begin(), '1');
            mantissa.pop_back();
            ++exponent;
        } else {
            ++mantissa[static_cast<std::size_t>(i)];
        }
    }
    mantissa = TrimZeros(mantissa); // never empty: the first digit is non-zero
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
