#include "calc/offsets.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <string>

namespace {

struct Accepted {
    const char* text;
    float value;
};

void PrintTo(const Accepted& c, std::ostream* os) { *os << '"' << c.text << '"'; }

class TextToNumberAccepts : public testing::TestWithParam<Accepted> {};

TEST_P(TextToNumberAccepts, GivesTheNearestSingle) {
    const Accepted& c = GetParam();
    // Compare bit patterns: 0 and -0 differ, and so would an off-by-one-ulp.
    EXPECT_EQ(std::bit_cast<std::uint32_t>(calc::TextToNumber(c.text)),
              std::bit_cast<std::uint32_t>(c.value))
        << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Grammar, TextToNumberAccepts,
    testing::Values(
        Accepted{"0", 0.0f}, Accepted{"-0", -0.0f}, Accepted{"0.0", 0.0f}, Accepted{"16", 16.0f},
        Accepted{"-3", -3.0f}, Accepted{"2.5", 2.5f}, Accepted{"+7", 7.0f}, Accepted{"5.", 5.0f},
        Accepted{".5", 0.5f}, Accepted{"1e3", 1000.0f}, Accepted{"1E+2", 100.0f},
        Accepted{"25e-1", 2.5f}, Accepted{" \t12\t ", 12.0f}, Accepted{"007", 7.0f},
        Accepted{"0.1234567891", 0.1234567891f},
        // Arithmetic, evaluated in double and rounded once.
        Accepted{"128+64", 192.0f}, Accepted{"3*64", 192.0f}, Accepted{"256-48", 208.0f},
        Accepted{"--1", 1.0f}, Accepted{"1/2", 0.5f}, Accepted{"2+3*4", 14.0f},
        Accepted{"(2+3)*4", 20.0f}, Accepted{"-(8-16)", 8.0f}, Accepted{"1 - -1", 2.0f},
        Accepted{"8/2/2", 2.0f}, Accepted{"10-4-3", 3.0f}, Accepted{" ( 64 ) ", 64.0f},
        Accepted{"1/3", 1.0f / 3.0f}, Accepted{"1e38*3", 3e38f},
        // The range edges: the largest single and the text that still rounds
        // down to it; underflow is zero or a denormal, never a failure.
        Accepted{"3.4028235e38", std::numeric_limits<float>::max()},
        Accepted{"340282356779733661637539395458142568447", std::numeric_limits<float>::max()},
        Accepted{"1e-45", std::numeric_limits<float>::denorm_min()}, Accepted{"1e-50", 0.0f},
        Accepted{"-1e-50", -0.0f}, Accepted{"1e-400", 0.0f}, Accepted{"1e-30*1e-30", 0.0f},
        // Correct rounding straight from the text: via double this would land
        // exactly on the halfway point and round to even, giving 1.
        Accepted{"1.0000000596046447753906251", 0x1.000002p0f}));

class TextToNumberRejects : public testing::TestWithParam<const char*> {};

TEST_P(TextToNumberRejects, Fails) {
    EXPECT_THROW(calc::TextToNumber(GetParam()), calc::Failure) << '"' << GetParam() << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Grammar, TextToNumberRejects,
    testing::Values("", " ", ".", "-", "+", "abc", "12a", "1,5", "1,000", "0x10", "&H10", "$5",
                    "inf", "-inf", "nan", "infinity", "1 2", "12-", "1..2", "e5", "1e", "1e+",
                    "1.2.3", "5 .", "()", "(1", "1)", "1+", "*2", "2**3", "\n1", "1\n",
                    "\xd9\xa1", "\xef\xbc\x91", "1\xc2\xa0",
                    // division by zero and results beyond single range
                    "1/0", "0/0", "1/(2-2)", "1e39", "-1e39", "1e400", "1e38*4",
                    "340282356779733661637539395458142568448",
                    "400000000000000000000000000000000000000", "1e308*10"));

std::string Nested(int depth) {
    return std::string(static_cast<std::size_t>(depth), '(') + "1" +
           std::string(static_cast<std::size_t>(depth), ')');
}

TEST(TextToNumber, NestingIsLimitedTo64Levels) {
    EXPECT_EQ(calc::TextToNumber(Nested(64)), 1.0f);
    EXPECT_THROW(calc::TextToNumber(Nested(65)), calc::Failure);
    EXPECT_THROW(calc::TextToNumber(Nested(100000)), calc::Failure);
}

TEST(TextToNumber, HostileInputEndsQuickly) {
    EXPECT_EQ(calc::TextToNumber(std::string(100000, '-') + "1"), 1.0f); // an even count
    EXPECT_EQ(calc::TextToNumber(std::string(10000, '0') + "1"), 1.0f);
    EXPECT_EQ(calc::TextToNumber("0." + std::string(10000, '0') + "1"), 0.0f);
    EXPECT_THROW(calc::TextToNumber("1" + std::string(10000, '0')), calc::Failure);
    EXPECT_THROW(calc::TextToNumber("1e99999999999999999999"), calc::Failure);
    EXPECT_EQ(calc::TextToNumber("1e-99999999999999999999"), 0.0f);
    EXPECT_THROW(calc::TextToNumber(std::string_view("1\0" "2", 3)), calc::Failure);
}

TEST(TextToNumber, ReadsBackEveryTextItWrites) {
    // Whatever the window shows can be pasted back into a field.
    for (float v : {0.4000001f, 1.25e-6f, 1e8f, -3.402823e38f, 1.401298e-45f, 654322.3f}) {
        const std::string text = calc::NumberToText(v);
        EXPECT_EQ(calc::NumberToText(calc::TextToNumber(text)), text);
    }
}

} // namespace
