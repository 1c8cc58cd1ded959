// Proves a run of walls against a second computation written another way
// (long double, each offset from its own formula, the C library's rounding),
// over random runs, and the boundaries by name.
#include "calc/offsets.h"
#include "core/run.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

using core::Run;

// The offsets as a level designer adds them up, wall after wall.
std::vector<std::string> ByHand(const Run& run) {
    const auto number = [](const std::string& text) -> long double {
        return calc::TextToNumber(text);
    };
    const long double t = number(run.texture);
    std::vector<long double> lengths;
    for (const std::string& wall : run.walls)
        if (wall.find_first_not_of(" \t") != std::string::npos)
            lengths.push_back(run.whole ? std::nearbyintl(number(wall)) : number(wall));
    const auto formula = [&](long double w) {
        const long double offsets[] = {t * 0.5L, 0, (t - w) * 0.5L, t - w, w - t};
        return offsets[run.row];
    };
    const auto before = [&](std::size_t j) { // S(j + 1)
        long double s = 0;
        for (std::size_t i = 0; i < j; ++i)
            s += lengths[i];
        return s;
    };
    const std::size_t k = static_cast<std::size_t>(run.on);
    const long double o = k >= 1 && k <= lengths.size() ? formula(lengths[k - 1]) - before(k - 1)
                                                        : formula(before(lengths.size()));
    std::vector<std::string> shown;
    for (std::size_t j = 0; j < lengths.size(); ++j) {
        long double v = o + before(j) + number(run.add);
        if (run.whole)
            v = std::nearbyintl(v);
        if (run.wrap && t > 0)
            v -= t * std::floor(v / t);
        const float f = static_cast<float>(v);
        shown.push_back(
            calc::NumberToText(run.wrap && t > 0 && f == static_cast<float>(t) ? 0 : f));
    }
    return shown;
}

TEST(Run, AgreesWithAddingUpByHand) {
    std::mt19937 random(20261208);
    const auto pick = [&random](std::initializer_list<const char*> from) {
        return std::string(from.begin()[random() % from.size()]);
    };
    for (int i = 0; i < 800; ++i) {
        core::Run run;
        run.row = static_cast<int>(random() % 5);
        run.texture = pick({"64", "128", "48", "100", "2", "4096", "3*32"});
        run.add = pick({"0", "13", "-53", "13+45", "0.5", "-1000.25"});
        run.wrap = random() % 2, run.whole = random() % 2;
        const std::size_t walls = 1 + random() % core::maxRunWalls;
        for (std::size_t j = 0; j < walls; ++j)
            run.walls.push_back(random() % 3 == 0
                                    ? pick({"17.4642", "18.0278", "0.5", "2.5", "100/3"})
                                : random() % 20 == 0 ? pick({"", "  "})
                                                     : std::to_string(1 + random() % 512));
        run.on = static_cast<int>(random() % (walls + 3));
        SCOPED_TRACE(testing::Message() << "run " << i << ": row " << run.row << " on " << run.on
                                        << " T " << run.texture << " add " << run.add << " wrap "
                                        << run.wrap << " whole " << run.whole);
        ASSERT_EQ(core::RunResults(run), ByHand(run));
    }
}

struct Row {
    const char* name;
    Run run;
    std::vector<std::string> shows;
    std::string note;
};

void PrintTo(const Row& row, std::ostream* out) {
    *out << row.name;
}

class Boundaries : public testing::TestWithParam<Row> {};

TEST_P(Boundaries, ShowAndSay) {
    EXPECT_EQ(core::RunResults(GetParam().run), GetParam().shows);
    EXPECT_EQ(core::RunNote(GetParam().run), GetParam().note);
}

const std::vector<std::string> three{"45", "64", "45"};
const std::vector<std::string> many(300, "1");

INSTANTIATE_TEST_SUITE_P(
    Run, Boundaries,
    testing::Values(
        Row{"alignedLeft", {1, 0, "64", "0", three}, {"0", "45", "109"}, ""},
        Row{"alignedLeftWrapped", {1, 0, "64", "0", three, true}, {"0", "45", "45"}, ""},
        Row{"centredOnTheRun", {2, 0, "64", "0", three}, {"-45", "0", "64"}, ""},
        Row{"centredWrapped", {2, 0, "64", "0", three, true}, {"19", "0", "0"}, ""},
        Row{"centredOnWall3", {2, 3, "64", "0", three}, {"-99.5", "-54.5", "9.5"}, ""},
        Row{"onPastTheLastWall", {2, 4, "64", "0", three}, {"-45", "0", "64"}, ""},
        Row{"added", {1, 0, "64", "13", {"32", "32"}}, {"13", "45"}, ""},
        Row{"wholeAndWrapped",
            {1, 0, "64", "-53", {"17.4642", "18.0278"}, true, true},
            {"11", "28"},
            ""},
        Row{"tiesToEven",
            {1, 0, "64", "0", {"0.5", "1.5", "2.5"}, false, true},
            {"0", "0", "2"},
            ""},
        Row{"noWrapWithoutATexture", {1, 0, "0", "-5", {"45", "64"}, true}, {"-5", "40"}, ""},
        Row{"roundsToTheWidth", {1, 0, "64", "-0.000001", {"64", "1"}, true}, {"0", "0"}, ""},
        Row{"blankWallsAreNone", {3, 0, "64", "0", {"45", "", " \t", "19"}}, {"0", "45"}, ""},
        Row{"noRow", {-1, 0, "64", "0", {"45", "19"}}, {"", ""}, ""},
        Row{"badTexture",
            {1, 0, "abc", "0", {"45", "19"}},
            {"Error", "Error"},
            "Texture is not a number"},
        Row{"badAdd", {1, 0, "64", "1+", {"45"}}, {"Error"}, "Add is not a number"},
        Row{"badWall",
            {1, 0, "64", "0", {"45", "", "19", "4a"}},
            {"Error", "Error", "Error"},
            "Wall 3 is not a number"},
        Row{"beyondSingles",
            {1, 0, "64", "0", {"3e38", "3e38", "1"}},
            {"Error", "Error", "Error"},
            "An offset is beyond the range of numbers"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Run, CountsAtMostItsLimitAndReadsPastedCells) {
    const core::Run run{1, 0, "64", "0", many};
    EXPECT_EQ(core::RunResults(run).size(), core::maxRunWalls);
    EXPECT_EQ(core::RunNote(run), "At most 256 walls count");
    EXPECT_EQ(core::WallsOf("45\r\n64\t45;3*2"),
              (std::vector<std::string>{"45", "64", "45", "3*2"}));
}

} // namespace
