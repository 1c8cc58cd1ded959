#include "calc/offsets.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <optional>
#include <random>
#include <string>

namespace {

constexpr float maxFloat = std::numeric_limits<float>::max();

struct Wall {
    std::int16_t row;
    float texture;
    float wall;
    const char* offset;
};

void PrintTo(const Wall& c, std::ostream* os) {
    *os << "row " << c.row << ", T " << c.texture << ", W " << c.wall;
}

class WallOffset : public testing::TestWithParam<Wall> {};

TEST_P(WallOffset, MatchesTheAlignmentFormula) {
    const Wall& c = GetParam();
    EXPECT_EQ(calc::CalcWallOffset(c.row, c.texture, c.wall), c.offset)
        << "row " << c.row << " T " << c.texture << " W " << c.wall;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, WallOffset,
    testing::Values(
        Wall{0, 64, 16, "32"}, Wall{1, 64, 16, "0"}, Wall{2, 64, 16, "24"}, Wall{3, 64, 16, "48"},
        Wall{4, 64, 16, "-48"}, Wall{0, 8, 16, "4"}, Wall{1, 8, 16, "0"}, Wall{2, 8, 16, "-4"},
        Wall{3, 8, 16, "-8"}, Wall{4, 8, 16, "8"}, Wall{0, 5, 2, "2.5"}, Wall{2, 5, 2, "1.5"},
        Wall{2, 32, 32, "0"}, Wall{3, 32, 32, "0"}, Wall{4, 32, 32, "0"},
        Wall{3, -8, 16, "-24"},
        // Row 1 never calculates, so even the extremes give "0".
        Wall{1, maxFloat, -maxFloat, "0"},
        // No row selected, or a row that does not exist: an empty result.
        Wall{-1, 64, 16, ""}, Wall{5, 64, 16, ""}, Wall{-32768, 64, 16, ""},
        // Row 2 halves before subtracting, so it stays in range where T - W
        // would not.
        Wall{2, maxFloat, -maxFloat, "3.402823E+38"},
        // Halving a denormal rounds to even in single.
        Wall{0, std::numeric_limits<float>::denorm_min(), 0, "0"},
        Wall{2, 0.1f, 0.3f, "-0.1"}));

TEST(WallOffset, OverflowInRowsThreeAndFourFails) {
    EXPECT_THROW(calc::CalcWallOffset(3, maxFloat, -maxFloat), calc::Failure);
    EXPECT_THROW(calc::CalcWallOffset(4, -maxFloat, maxFloat), calc::Failure);
    EXPECT_THROW(calc::CalcWallOffset(3, 3e38f, -1e38f), calc::Failure);
    // Just inside: 2e38 + 1e38 = 3e38 still fits.
    EXPECT_EQ(calc::CalcWallOffset(3, 2e38f, -1e38f), "3E+38");
    EXPECT_EQ(calc::CalcWallOffset(4, -2e38f, 1e38f), "3E+38");
}

struct Floor {
    float position;
    float coordinate;
    const char* offset; // nullptr: the calculation fails
};

void PrintTo(const Floor& c, std::ostream* os) {
    *os << "P " << c.position << ", M " << c.coordinate;
}

class FloorCeilingOffset : public testing::TestWithParam<Floor> {};

TEST_P(FloorCeilingOffset, ReducesOntoTheEightUnitGrid) {
    const Floor& c = GetParam();
    if (c.offset == nullptr)
        EXPECT_THROW(calc::CalcFCOffset(c.position, c.coordinate), calc::Failure)
            << "M " << c.coordinate;
    else
        EXPECT_EQ(calc::CalcFCOffset(c.position, c.coordinate), c.offset)
            << "P " << c.position << " M " << c.coordinate;
}

INSTANTIATE_TEST_SUITE_P(
    Grid, FloorCeilingOffset,
    testing::Values(
        Floor{0, 0, "0"}, Floor{0, 20, "4"}, Floor{0, 8, "0"}, Floor{0, 7.75f, "7.75"},
        Floor{1.5f, 20, "2.5"}, Floor{10, 3, "-7"}, Floor{0, -3, "5"}, Floor{0, -11, "5"},
        Floor{0, -8, "0"}, Floor{0, -7.6f, "0.4000001"}, Floor{0, 15.5f, "7.5"},
        Floor{0, 8.5f, "0.5"}, Floor{0, 7.5f, "7.5"}, Floor{0, -0.5f, "7.5"},
        Floor{0, -0.0000001f, "8"}, Floor{0, -0.0f, "0"},
        // The 16-bit grid base: quotients -4096..4095 only.
        Floor{0, 32767, "7"}, Floor{0, 32767.4f, "7.400391"}, Floor{0, 32767.5f, nullptr},
        Floor{0, 32768, nullptr}, Floor{0, -32775, "1"}, Floor{0, -32774.5f, "1.5"}, Floor{0, -32775.5f, nullptr},
        Floor{0, -32776, nullptr}, Floor{0, 1e10f, nullptr}, Floor{0, -1e10f, nullptr},
        Floor{0, std::numeric_limits<float>::infinity(), nullptr},
        Floor{0, std::numeric_limits<float>::quiet_NaN(), nullptr},
        // The texture position has no limit of its own.
        Floor{maxFloat, 4, "-3.402823E+38"}, Floor{-maxFloat, 4, "3.402823E+38"}));

// An independent statement of the same result: the coordinate reduced modulo 8
// into [0, 8], minus the position, each step rounded to single.
std::optional<std::string> ReferenceFCOffset(float position, float coordinate) {
    if (!std::isfinite(coordinate))
        return std::nullopt;
    const double rounded = std::nearbyint(static_cast<double>(coordinate)); // ties to even
    if (rounded < -32775.0 || rounded > 32767.0)
        return std::nullopt;
    double reduced = std::fmod(static_cast<double>(coordinate), 8.0);
    if (reduced < 0.0)
        reduced = static_cast<double>(static_cast<float>(reduced + 8.0));
    const float offset = static_cast<float>(static_cast<double>(static_cast<float>(reduced)) -
                                            static_cast<double>(position));
    return calc::NumberToText(offset);
}

TEST(FloorCeilingOffset, AgreesWithModuloReductionOverRandomCoordinates) {
    std::mt19937 random(20261206);
    std::uniform_real_distribution<float> coordinates(-33000.0f, 33000.0f);
    std::uniform_real_distribution<float> small(-9.0f, 9.0f);
    std::uniform_int_distribution<int> halves(-66000, 66000);
    std::uniform_real_distribution<float> positions(-64.0f, 64.0f);
    for (int i = 0; i < 300000; ++i) {
        float coordinate = 0.0f;
        switch (i % 4) {
        case 0: coordinate = coordinates(random); break;
        case 1: coordinate = static_cast<float>(halves(random)) / 2.0f; break; // ties
        case 2: coordinate = small(random) * std::pow(10.0f, -static_cast<float>(i % 9)); break;
        default: coordinate = std::bit_cast<float>(static_cast<std::uint32_t>(random())); break;
        }
        const float position = (i % 3 == 0) ? 0.0f : positions(random);
        std::optional<std::string> actual;
        try {
            actual = calc::CalcFCOffset(position, coordinate);
        } catch (const calc::Failure&) {
        }
        ASSERT_EQ(actual, ReferenceFCOffset(position, coordinate))
            << "P " << position << " M " << coordinate;
    }
}

} // namespace
