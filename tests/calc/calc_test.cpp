// Proves the arithmetic: the worked examples and text formats as tables, the
// failure boundaries, and two properties checked against independent models
// (glibc's exact decimal expansion for the seven-digit text, plain modulo
// reduction for the floor/ceiling grid).
#include "calc/offsets.h"

#include <gtest/gtest.h>

#include <bit>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>

namespace {

constexpr float maxF = std::numeric_limits<float>::max(), tiny = 1.401298e-45f, inf = INFINITY;

// What the window would show: the text, or "fails" for a Failure.
template <class F> std::string Shown(F f) try { return f(); } catch (const calc::Failure&) {
    return "fails";
}

// Each row of texture size T and wall size W gives the offsets of alignments 0 to 4.
TEST(Calc, WallRows) {
    const struct {
        float t, w;
        const char* rows[5];
    } cases[] = {{64, 16, {"32", "0", "24", "48", "-48"}},
                 {5, 2, {"2.5", "0", "1.5", "3", "-3"}},
                 {-8, 16, {"-4", "0", "-12", "-24", "24"}},
                 {tiny, 0, {"0", "0", "0", "1.401298E-45", "-1.401298E-45"}},
                 {maxF, -maxF, {"1.701412E+38", "0", "3.402823E+38", "fails", "fails"}},
                 {2e38f, -1e38f, {"1E+38", "0", "1.5E+38", "3E+38", "-3E+38"}}};
    for (const auto& c : cases)
        for (int row = 0; row < 5; ++row)
            EXPECT_EQ(Shown([&] { return calc::CalcWallOffset(std::int16_t(row), c.t, c.w); }),
                      c.rows[row])
                << "row " << row << " T " << c.t << " W " << c.w;
    for (const int none : {-1, 5}) // no row chosen: no text, whatever the sizes
        EXPECT_EQ(calc::CalcWallOffset(std::int16_t(none), maxF, -maxF), "");
}

TEST(Calc, FloorCeilingGridAndItsRange) {
    const struct {
        float p, m;
        const char* out;
    } cases[] = {{0, 20, "4"},
                 {1.5f, 20, "2.5"},
                 {10, 3, "-7"},
                 {0, -3, "5"},
                 {0, -7.6f, "0.4000001"},
                 {0, 15.5f, "7.5"},
                 {0, -1e-7f, "8"},
                 {0, 32767, "7"},
                 {0, 32767.4f, "7.400391"},
                 {0, 32767.5f, "fails"},
                 {0, 32768, "fails"},
                 {0, -32775, "1"},
                 {0, -32774.5f, "1.5"},
                 {0, -32775.5f, "fails"},
                 {0, -32776, "fails"},
                 {0, inf, "fails"},
                 {0, NAN, "fails"},
                 {maxF, 4, "-3.402823E+38"},
                 {-maxF, 4, "3.402823E+38"}};
    for (const auto& c : cases)
        EXPECT_EQ(Shown([&] { return calc::CalcFCOffset(c.p, c.m); }), c.out)
            << "P " << c.p << " M " << c.m;
}

TEST(Calc, NumberToTextFormats) {
    const struct {
        float value;
        const char* text;
    } cases[] = {{-0.0f, "0"},
                 {-4, "-4"},
                 {-0.5f, "-0.5"},
                 {100, "100"},
                 {12.3456789f, "12.34568"},
                 {123456.7f, "123456.7"},
                 // A carry into a new digit can change the notation (the digits themselves are
                 // proven against the exact expansion below).
                 {9999999.5f, "1E+07"},
                 {0.099999998f, "0.1"},
                 {0.000099999997f, "0.0001"},
                 {16777216, "1.677722E+07"},
                 {-1e8f, "-1E+08"},
                 {0.00012345f, "0.00012345"},
                 {maxF, "3.402823E+38"},
                 {tiny, "1.401298E-45"},
                 {0.000015f, "0.000015"},
                 {-0.000001f, "-0.000001"},
                 {1.23e-5f, "1.23E-05"},
                 {1.25e-6f, "1.25E-06"}};
    for (const auto& c : cases)
        EXPECT_EQ(calc::NumberToText(c.value), c.text);
}

// A plain decimal number reads as the C library reads it, rounded once to the nearest
// single, and fails beyond the single range; anything else that is not a number fails too.
TEST(Calc, PlainNumbersReadAsTheCLibraryReadsThem) {
    std::mt19937 random(3);
    const auto digits = [&random](unsigned most) {
        std::string text(random() % (most + 1), '0');
        for (char& c : text)
            c = static_cast<char>('0' + random() % 10);
        return text;
    };
    const char* signs[] = {"", "", "-", "+"};
    for (int i = 0; i < 200000; ++i) {
        std::string text = signs[random() % 4];
        text += digits(12);
        if (random() % 2)
            text.append(".").append(digits(12));
        if (random() % 3 == 0)
            text.append(random() % 2 ? "e" : "E").append(signs[random() % 4]).append(digits(3));
        char* end = nullptr;
        errno = 0;
        const float value = std::strtof(text.c_str(), &end);
        const bool number = *end == '\0' && end != text.c_str() && !std::isinf(value);
        ASSERT_EQ(Shown([&] { return std::to_string(calc::TextToNumber(text)); }),
                  number ? std::to_string(value) : "fails")
            << '"' << text << '"';
        if (number) { // to the bit: -0 too
            ASSERT_EQ(std::bit_cast<std::uint32_t>(calc::TextToNumber(text)),
                      std::bit_cast<std::uint32_t>(value))
                << '"' << text << '"';
        }
    }
}

TEST(Calc, TextToNumberGrammar) {
    const struct {
        const char* text;
        float value;
    } accepted[] = {{"1.5+2", 3.5f},
                    {" \t12\t ", 12},
                    {"256-48", 208},
                    {"--1", 1},
                    {"2+3*4", 14},
                    {"(2+3)*4", 20},
                    {"-(8-16)", 8},
                    {"1 - -1", 2},
                    {"8/2/2", 2},
                    {"10-4-3", 3},
                    {"1/3", 1.0f / 3},
                    {"1e38*3", 3e38f},
                    {"1e-400", 0},
                    {"1e-30*1e-30", 0},
                    // Rounded once, straight from the text: through double it would round to 1.
                    {"1.0000000596046447753906251", 0x1.000002p0f}};
    for (const auto& c : accepted)
        EXPECT_EQ(std::bit_cast<std::uint32_t>(calc::TextToNumber(c.text)),
                  std::bit_cast<std::uint32_t>(c.value))
            << '"' << c.text << '"';
    for (const char* text :
         {"",    " ",       ".",      "-",     "abc",     "12a", "1,5",          "0x10",
          "inf", "nan",     "1 2",    "12-",   "1..2",    "e5",  "1e",           "1e+",
          "()",  "(1",      "1)",     "*2",    "2**3",    "\n1", "\xef\xbc\x91", "1/0",
          "0/0", "1/(2-2)", "1e38*4", "1e400", "1e308*10"})
        EXPECT_THROW(calc::TextToNumber(text), calc::Failure) << '"' << text << '"';
    const auto nested = [](std::size_t n) {
        return std::string(n, '(') + "1" + std::string(n, ')');
    };
    EXPECT_EQ(calc::TextToNumber(nested(64)), 1.0f);
    EXPECT_THROW(calc::TextToNumber(nested(65)), calc::Failure);
    EXPECT_EQ(calc::TextToNumber(std::string(100000, '-') + "1"), 1.0f); // no deep recursion
    EXPECT_THROW(calc::TextToNumber("1" + std::string(10000, '0')), calc::Failure);
    EXPECT_THROW(calc::TextToNumber("1e99999999999999999999"), calc::Failure);
    EXPECT_EQ(calc::TextToNumber("1e-99999999999999999999"), 0.0f);
}

TEST(Calc, StoredTextReadsBackAsTheNumberShown) {
    const std::pair<const char*, const char*> cases[] = {
        {"256-48", "208"}, {"0+2+2+2+2+2", "10"}, {"(64)", "64"},   {"--8", "8"},
        {"+ 7", "7"},      {"1/3", "0.3333333"},  {"12.5", "12.5"}, {" -3\t", " -3\t"},
        {"+7", "+7"},      {" 1e3", " 1e3"},      {"abc", "abc"},   {"1/0", "1/0"},
        {"", ""}};
    for (const auto& [typed, stored] : cases)
        EXPECT_EQ(calc::StoredText(typed), stored) << '"' << typed << '"';
}

// The seven-digit value from glibc's exact expansion, half up on the eighth digit.
double SevenDigits(float value) {
    char exact[200];
    std::snprintf(exact, sizeof exact, "%.120e", std::fabs(double(value)));
    const long long mantissa = std::stoll(exact[0] + std::string(exact + 2, 6)) + (exact[8] >= '5');
    const int exponent = std::atoi(std::strchr(exact, 'e') + 1) - 6;
    return std::copysign(std::stod(std::to_string(mantissa) + "e" + std::to_string(exponent)),
                         value);
}

TEST(Calc, NumberToTextAgreesWithTheExactExpansion) {
    std::vector<float> values;
    std::mt19937 random(7);
    for (int i = 0; i < 200000; ++i)
        values.push_back(std::bit_cast<float>(std::uint32_t(random())));
    for (std::uint32_t bits = 1; bits <= 4096; ++bits) // the smallest and the largest singles
        values.insert(values.end(),
                      {std::bit_cast<float>(bits), std::bit_cast<float>(0x7f800000 - bits)});
    for (int e = -149; e <= 127;
         ++e) // powers of two, and their odd multiples: many are ties of the eighth digit
        values.insert(values.end(), {std::ldexp(1.0f, e), std::ldexp(3.0f, e), std::ldexp(5.0f, e),
                                     std::ldexp(7.0f, e)});
    for (int power = -45; power <= 38; ++power) { // around every power of ten
        float v = float(std::pow(10.0, power));
        for (int step = 0; step < 4; ++step, v = std::nextafter(v, maxF))
            values.insert(values.end(), {v, std::nextafter(v, 0.0f)});
    }
    for (const float value : values)
        if (std::isfinite(value) && value != 0.0f) {
            ASSERT_EQ(std::stod(calc::NumberToText(value)), SevenDigits(value))
                << std::hexfloat << value;
        }
}

// The coordinate reduced modulo 8 into [0, 8], minus the position, each step
// rounded to single; it fails where the coordinate rounds outside -32775..32767.
std::string ModuloModel(float p, float m) {
    if (!(std::nearbyint(m) >= -32775 && std::nearbyint(m) <= 32767))
        return "fails";
    const double r = std::fmod(m, 8.0);
    const float reduced = r < 0 ? float(r + 8) : float(r);
    return calc::NumberToText(float(double(reduced) - p));
}

TEST(Calc, FloorCeilingAgreesWithModuloReduction) {
    std::mt19937 random(20261206);
    std::uniform_real_distribution<float> wide(-33000, 33000), small(-9, 9), positions(-64, 64);
    std::uniform_int_distribution<int> halves(-66000, 66000);
    for (int i = 0; i < 300000; ++i) {
        const float m = i % 4 == 0   ? wide(random)
                        : i % 4 == 1 ? float(halves(random)) / 2 // ties
                        : i % 4 == 2 ? small(random) * std::pow(10.0f, -float(i % 9))
                                     : std::bit_cast<float>(std::uint32_t(random()));
        const float p = i % 3 == 0 ? 0.0f : positions(random);
        ASSERT_EQ(Shown([&] { return calc::CalcFCOffset(p, m); }), ModuloModel(p, m))
            << p << ' ' << m;
    }
}

} // namespace
