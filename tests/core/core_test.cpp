// Proves the window's own rules, apart from any toolkit: the text each result
// shows for what its fields hold, which rows enable a wall axis, what
// Varnel.ini keeps and how it reads back, and where a window goes on the
// screens there are.
#include "core/calculator.h"
#include "core/placement.h"
#include "core/stored.h"
#include "core/texture_header.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <fstream>
#include <random>

namespace core {
void PrintTo(const Stored& s, std::ostream* out) {
    *out << s.textX << ' ' << s.textZ << ' ' << s.wallX << ' ' << s.wallZ << " at " << s.topTwips
         << ',' << s.leftTwips << (s.onTop ? " on top, rows " : ", rows ") << s.rowX << ','
         << s.rowZ << ", floor/ceiling " << s.positionX << ' ' << s.mapX << ' ' << s.positionZ
         << ' ' << s.mapZ;
}
} // namespace core

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
    EXPECT_EQ(core::FloorResult("0", "40000"), "Error"); // beyond the grid
}

// Blanks and line breaks at the ends of pasted text go, and a run of breaks inside is one
// blank; a file's suffix is what follows the last dot of its name; an empty copy says so.
TEST(Texts, PastedSuffixesAndNotes) {
    const std::pair<const char*, const char*> pastes[] = {
        {"  -3275  ", "-3275"}, {"64\n", "64"},    {"\r\n16\r\n\r\n", "16"},
        {"1\n\n2", "1 2"},      {"1\r\n2", "1 2"}, {" \t\r\n ", ""}};
    for (auto [clipboard, pasted] : pastes)
        EXPECT_EQ(core::Pasted(clipboard), pasted) << clipboard;
    const std::pair<const char*, const char*> suffixes[] = {
        {"brick", ""},  {"art.v2/brick", ""},  {"brick.", ""}, {"C:\\ART\\BRICK.TGA", "TGA"},
        {"a/.tga", ""}, {"a.b/c.d.pcx", "pcx"}};
    for (auto [path, suffix] : suffixes)
        EXPECT_EQ(core::SuffixOf<char>(path), suffix) << path;
    EXPECT_EQ(core::CopiedNote(""), "Copied an empty result");
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
    EXPECT_EQ(core::Load(ini), core::Stored{});
    EXPECT_FALSE(fs::exists(dir)); // reading creates nothing
    const core::StoredRun run{"3*32", 2, 3, "13+45", false, "45;64; 45", true, 600, 9000};
    core::Save(ini, {"256-48", "abc", "12.5", "1/3", 900, -1500.5f, true, 0, 4, "1.5", "-3", "0",
                     "-1.25e+3", true, run});
    EXPECT_EQ(File(),
              "[lastsize]\r\ntextx=208\r\ntextz=abc\r\nwallx=12.5\r\nwallz=0.3333333\r\n"
              "[position]\r\ntop=900\r\nleft=-1500.5\r\n[options]\r\nontop=1\r\nwrap=1\r\n"
              "[alignment]\r\nx=0\r\nz=4\r\n[floorceiling]\r\ntextx=1.5\r\nmapx=-3\r\n"
              "textz=0\r\nmapz=-1.25e+3\r\n[run]\r\ntexture=96\r\nrow=2\r\non=3\r\n"
              "add=13+45\r\nwhole=0\r\nwalls=45;64; 45\r\nopen=1\r\ntop=600\r\nleft=9000\r\n");
    // Whole numbers and text are read as whole numbers; a fraction comes back as it was, and so
    // does a floor/ceiling field of the full eight characters. The run's texts come back as they
    // were written.
    core::StoredRun read = run;
    read.texture = "96";
    EXPECT_EQ(core::Load(ini), (core::Stored{"208", "0", "12.5", "0.3333333", 900, -1500, true, 0,
                                             4, "1.5", "-3", "0", "-1.25e+3", true, read}));
}

// What a hand-edited file may hold that the window could not show gives the default.
TEST_F(Stored, ReadsWhatAHandEditedFileHolds) {
    fs::create_directories(ini.parent_path());
    std::ofstream(ini) << "[lastsize]\ntextx= \"48.5\" \nTEXTZ=12abc\nwallx=1.5.5\nwallz=1e3\n"
                          "[alignment]\nx=5\nz=-1\n[floorceiling]\ntextx=123456789\nmapx= 7 \n";
    core::Stored wanted{"48.5", "12", "1", "1e3", 345, 510,   false, 1,
                        1,      "0",  "0", "0",   "0", false, {}};
    wanted.mapX = "7";
    std::ofstream(ini, std::ios::app)
        << "[run]\nrow=7\non=-2\nwhole=0\n"; // a row past 4, a wall before 1
    wanted.run.whole = false;
    EXPECT_EQ(core::Load(ini), wanted);
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
        {"below both, nearer the taller", {-100, 1000, 471, 465}, {0, 615}},
        {"larger than any: a top left corner", {9, 9, 3000, 2000}, {0, 0}},
        {"as near to both: the one listed first", {-250, -500, 500, 465}, {-500, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(core::OnScreen(c.frame, screens), c.place) << c.where;
    // 15 twips a pixel at 96 dots an inch, 10 at 144, to the nearest pixel.
    EXPECT_EQ(core::TwipsToPixels(7065), 471);
    EXPECT_EQ(core::TwipsToPixels(7065, 144), 707); // 706.5
    EXPECT_EQ(core::PixelsToTwips(-20, 144), -200.0f);
}

} // namespace
