#include "calc/offsets.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct Rounded {
    float value;
    std::int32_t whole;
};

void PrintTo(const Rounded& c, std::ostream* os) { *os << c.value; }

class RoundToWholeGives : public testing::TestWithParam<Rounded> {};

TEST_P(RoundToWholeGives, TiesToEven) {
    EXPECT_EQ(calc::RoundToWhole(GetParam().value), GetParam().whole) << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(
    Table, RoundToWholeGives,
    testing::Values(Rounded{16.5f, 16}, Rounded{17.5f, 18}, Rounded{-2.5f, -2},
                    Rounded{-3.5f, -4}, Rounded{0.5f, 0}, Rounded{-0.5f, 0}, Rounded{1.5f, 2},
                    Rounded{0.49999997f, 0}, Rounded{2.5000002f, 3}, Rounded{-7.6f, -8},
                    Rounded{8388609.0f, 8388609}, Rounded{2147483520.0f, 2147483520},
                    Rounded{-2147483648.0f, -2147483647 - 1}));

TEST(RoundToWhole, FailsOutsideThe32BitRange) {
    for (float v : {2147483648.0f, -2147483904.0f, 1e10f, -1e10f,
                    std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity(),
                    std::numeric_limits<float>::quiet_NaN()})
        EXPECT_THROW(calc::RoundToWhole(v), calc::Failure) << v;
}

TEST(NarrowToInt16, KeepsTheRangeAndFailsBeyond) {
    EXPECT_EQ(calc::NarrowToInt16(32767), 32767);
    EXPECT_EQ(calc::NarrowToInt16(-32768), -32768);
    EXPECT_THROW(calc::NarrowToInt16(32768), calc::Failure);
    EXPECT_THROW(calc::NarrowToInt16(-32769), calc::Failure);
    EXPECT_THROW(calc::NarrowToInt16(std::numeric_limits<std::int32_t>::min()), calc::Failure);
}

} // namespace
