// Proves the window's own rules, apart from any toolkit: the text each result
// shows for what its fields hold, which rows enable a wall axis, what
// Varnel.ini keeps and how it reads back, and where a window goes on the
// screens there are.
#include "core/calculator.h"
#include "core/placement.h"
#include "core/stored.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>

namespace {

namespace fs = std::filesystem;

TEST(Results, ShowTheOffsetOrError) {
    const struct {
        int row;
        const char *texture, *wall, *shows;
    } walls[] = {{2, "64", "16", "24"},     {4, "3*64", "256-48", "16"},
                 {2, "12a", "16", "Error"}, {3, "1e38*3", "-1e38", "Error"},
                 {1, "abc", "", "0"},       {-1, "64", "16", ""}};
    for (const auto& w : walls)
        EXPECT_EQ(core::WallResult(w.row, w.texture, w.wall), w.shows)
            << w.texture << ' ' << w.wall;
    const struct {
        const char *position, *coordinate, *shows;
    } floors[] = {{"1.5", "20", "2.5"},
                  {"0", "-7.6", "0.4000001"},
                  {"abc", "0", "Error"},
                  {"0", "40000", "Error"}};
    for (const auto& f : floors)
        EXPECT_EQ(core::FloorResult(f.position, f.coordinate), f.shows) << f.coordinate;
    for (int row = -1; row <= 4; ++row)
        EXPECT_EQ(core::AxisEnabled(row), row != 1) << row;
}

struct Stored : testing::Test {
    fs::path dir = fs::temp_directory_path() / ("varnel-" + std::to_string(std::random_device{}()));
    fs::path ini = dir / "per-user" / "Varnel.ini"; // a folder made on first use
    ~Stored() override { fs::remove_all(dir); }
    std::string File() const {
        std::ifstream in(ini, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
};

TEST_F(Stored, ComesBackAsSaved) {
    const core::Stored defaults = core::Load(ini);
    EXPECT_EQ(std::tie(defaults.textX, defaults.textZ, defaults.wallX, defaults.wallZ),
              std::tie("8", "8", "16", "16"));
    EXPECT_EQ(std::pair(defaults.topTwips, defaults.leftTwips), std::pair(345.0f, 510.0f));
    EXPECT_FALSE(defaults.onTop || fs::exists(dir)); // reading creates nothing

    core::Save(ini, {"256-48", "abc", "12.5", "-3", 900, -1500.5f, true});
    EXPECT_EQ(File(), "[lastsize]\r\ntextx=208\r\ntextz=abc\r\nwallx=12.5\r\nwallz=-3\r\n"
                      "[position]\r\ntop=900\r\nleft=-1500.5\r\n[options]\r\nontop=1\r\n");
    const core::Stored back = core::Load(ini);
    EXPECT_EQ(std::tie(back.textX, back.textZ, back.wallX, back.wallZ),
              std::tie("208", "0", "12", "-3")); // sizes are read as whole numbers
    EXPECT_EQ(std::pair(back.topTwips, back.leftTwips), std::pair(900.0f, -1500.0f));
    EXPECT_TRUE(back.onTop);
}

// A 1280 x 1024 screen to the left of the main 1920 x 1080 one; the window
// with its frame is 471 x 465.
TEST(Placement, KeepsTheWindowWhollyOnAScreen) {
    const core::Rect screens[] = {{-1280, 0, 1280, 1024}, {0, 0, 1920, 1080}};
    const struct {
        const char* where;
        core::Rect frame;
        core::Point place;
    } cases[] = {
        {"wholly on the left screen: kept", {-800, 10, 471, 465}, {-800, 10}},
        {"across both: onto the nearer", {-200, 10, 471, 465}, {0, 10}},
        {"past the bottom right corner", {1800, 1000, 471, 465}, {1449, 615}},
        {"far off: the nearest corner", {-20000, -9000, 471, 465}, {-1280, 0}},
        {"below the shorter screen", {-1280, 900, 471, 465}, {-1280, 559}},
        {"larger than any: a top left corner", {9, 9, 3000, 2000}, {0, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(core::OnScreen(c.frame, screens), c.place) << c.where;
}

} // namespace
