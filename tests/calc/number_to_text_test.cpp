#include "calc/offsets.h"

#include <gtest/gtest.h>

#include <bit>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>
#include <cmath>
#include <limits>

namespace {

struct Shown {
    float value;
    const char* text;
};

void PrintTo(const Shown& c, std::ostream* os) { *os << c.value << " -> " << c.text; }

class NumberToTextShows : public testing::TestWithParam<Shown> {};

TEST_P(NumberToTextShows, SevenDigitsHalfAwayFromZero) {
    EXPECT_EQ(calc::NumberToText(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, NumberToTextShows,
    testing::Values(
        Shown{0.0f, "0"}, Shown{-0.0f, "0"}, Shown{8.0f, "8"}, Shown{-4.0f, "-4"},
        Shown{2.5f, "2.5"}, Shown{0.5f, "0.5"}, Shown{-0.5f, "-0.5"}, Shown{100.0f, "100"},
        Shown{12.3456789f, "12.34568"}, Shown{0.1f, "0.1"}, Shown{1.0f / 3.0f, "0.3333333"},
        Shown{-7.6f + 8.0f, "0.4000001"},
        // Exact ties of the seventh digit go away from zero, unlike printf.
        Shown{654322.25f, "654322.3"}, Shown{-654322.25f, "-654322.3"},
        Shown{1048576.5f, "1048577"}, Shown{9999999.0f, "9999999"},
        // Rounding that carries into a new digit changes the notation.
        Shown{9999999.5f, "1E+07"}, Shown{0.099999998f, "0.1"}, Shown{0.000099999997f, "0.0001"},
        // Fixed from 1E-04 up to below 1E+07, exponent form outside.
        Shown{1e7f, "1E+07"}, Shown{16777216.0f, "1.677722E+07"}, Shown{1e8f, "1E+08"},
        Shown{-1e8f, "-1E+08"}, Shown{123456.7f, "123456.7"}, Shown{0.0001f, "0.0001"},
        Shown{0.00012345f, "0.00012345"},
        Shown{std::numeric_limits<float>::max(), "3.402823E+38"},
        Shown{std::numeric_limits<float>::lowest(), "-3.402823E+38"},
        Shown{1e-38f, "9.999999E-39"}, Shown{std::numeric_limits<float>::denorm_min(), "1.401298E-45"},
        // Small magnitudes that fit in seven decimals stay fixed.
        Shown{0.000005f, "0.000005"}, Shown{0.00001f, "0.00001"}, Shown{0.000015f, "0.000015"},
        Shown{0.000001f, "0.000001"}, Shown{-0.000001f, "-0.000001"},
        Shown{1.234e-5f, "1.234E-05"}, Shown{1.2e-6f, "1.2E-06"}, Shown{1.25e-6f, "1.25E-06"},
        Shown{1e-7f, "1E-07"}));

// The seven-digit value of a single, worked out from glibc's exact expansion
// with a plain half-up rule on the magnitude's eighth digit.
double SevenDigitReference(float value) {
    char exact[200];
    std::snprintf(exact, sizeof exact, "%.120e", std::fabs(static_cast<double>(value)));
    std::string digits{exact[0]};
    digits.append(exact + 2, 7); // seven digits after the point: eight in all
    const int exponent = std::atoi(std::strchr(exact, 'e') + 1);
    long long mantissa = std::stoll(digits.substr(0, 7));
    if (digits[7] >= '5')
        ++mantissa;
    const std::string text = std::to_string(mantissa) + "e" + std::to_string(exponent - 6);
    return std::copysign(std::strtod(text.c_str(), nullptr), static_cast<double>(value));
}

TEST(NumberToText, AgreesWithTheExactExpansionOverRandomSingles) {
    std::mt19937 random(7);
    for (int i = 0; i < 200000; ++i) {
        const auto value = std::bit_cast<float>(static_cast<std::uint32_t>(random()));
        if (!std::isfinite(value) || value == 0.0f)
            continue;
        const std::string shown = calc::NumberToText(value);
        ASSERT_EQ(std::strtod(shown.c_str(), nullptr), SevenDigitReference(value))
            << shown << " for " << std::hexfloat << value;
    }
}

// The ends of the range and the neighbours of every power of ten, where the
// scaling and the choice of exponent are most delicate.
TEST(NumberToText, AgreesWithTheExactExpansionAtTheEdges) {
    std::vector<float> values;
    for (std::uint32_t bits = 1; bits <= 4096; ++bits) // the smallest denormals
        values.push_back(std::bit_cast<float>(bits));
    for (std::uint32_t bits = 0x7f7ff000; bits <= 0x7f7fffff; ++bits) // up to the largest single
        values.push_back(std::bit_cast<float>(bits));
    for (int power = -45; power <= 38; ++power) {
        float v = static_cast<float>(std::pow(10.0, power));
        for (int step = 0; step < 4; ++step) {
            values.push_back(v);
            values.push_back(std::nextafter(v, 0.0f));
            v = std::nextafter(v, std::numeric_limits<float>::infinity());
        }
    }
    for (const float value : values) {
        if (!std::isfinite(value) || value == 0.0f)
            continue;
        const std::string shown = calc::NumberToText(value);
        ASSERT_EQ(std::strtod(shown.c_str(), nullptr), SevenDigitReference(value))
            << shown << " for " << std::hexfloat << value;
    }
}

TEST(NumberToText, IgnoresTheLocale) {
    // A German or French locale must not turn the point into a comma.
    for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "C.UTF-8"}) {
        if (std::setlocale(LC_ALL, name) == nullptr)
            continue;
        EXPECT_EQ(calc::NumberToText(2.5f), "2.5") << name;
        EXPECT_EQ(calc::TextToNumber("2.5"), 2.5f) << name;
    }
    std::setlocale(LC_ALL, "C");
}

TEST(NumberToText, WholeNumbers) {
    EXPECT_EQ(calc::WholeToText(0), "0");
    EXPECT_EQ(calc::WholeToText(-2147483647 - 1), "-2147483648");
    EXPECT_EQ(calc::WholeToText(std::int16_t{-32768}), "-32768");
}

} // namespace
