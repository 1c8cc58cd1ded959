#include "scratch.h"
#include "settings/profile.h"

#include <chrono>
#include <random>

namespace {

using namespace std::string_view_literals;

constexpr std::int32_t fallback = -777;

// [a] k read from text, with the fallback -777.
struct Read {
    std::string_view text;
    std::int32_t value;
};

void PrintTo(const Read& c, std::ostream* os) {
    *os << Shown(c.text);
}

class ReadSettingGives : public Scratch, public testing::WithParamInterface<Read> {};

TEST_P(ReadSettingGives, TheValueOrTheFallback) {
    Spit(ini, GetParam().text);
    EXPECT_EQ(settings::ReadSetting(ini, "a", "k", fallback), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ReadSettingGives,
    testing::Values(
        // Line breaks, the byte-order mark, blanks, case, headers.
        Read{"[b]\r\nk=1\r\n[a]\r\nj=2\r\nk=510\r\n", 510}, Read{"[a]\nk=5", 5},
        Read{"[a]\rj=5\rk=6\r", 6}, Read{"[b]\r\n[a]\r\rj=1\nk=2", 2},
        Read{"\xEF\xBB\xBF[a]\r\nk=5\r\n", 5}, Read{"  [ a ] ; c\n\t k \t=\t 7 \t\n", 7},
        Read{"[A]\nK=3\n", 3}, Read{"[a]b]\nk=4\n", fallback}, Read{"[a\nk=4\n", 4},
        Read{"[a]\nk\nk=3\n", 3}, Read{"[a]\nk = 5=6\n", 5}, Read{"[a]\n;k=1\nk=2\n", 2},
        Read{"[a]\n\0\xff=\x80\nk=9\n"sv, 9},
        // Only the first section of the name and the first key in it count.
        Read{"[a]\nk=1\nK=2\n", 1}, Read{"[a]\nj=1\n[A]\nk=2\n", fallback},
        Read{"k=1\n[a]\nj=2\n", fallback}, Read{"[a]\n[b]\nk=1\n", fallback},
        // Values: empty, quoted, lenient digits, 32-bit wrap-around.
        Read{"", fallback}, Read{"[a]\nk=\n", fallback}, Read{"[a]\nk= \t\n", fallback},
        Read{"[a]\nk=\"\"\n", fallback}, Read{"[a]\nk=\"32\"\n", 32}, Read{"[a]\nk='-32'", -32},
        Read{"[a]\nk=\" 8 \"\n", 8}, Read{"[a]\nk=\"32'\n", 0}, Read{"[a]\nk=12.5\n", 12},
        Read{"[a]\nk=42abc\n", 42}, Read{"[a]\nk=abc\n", 0}, Read{"[a]\nk=--9\n", 0},
        Read{"[a]\nk=+0012\n", 12}, Read{"[a]\nk=2147483647\n", 2147483647},
        Read{"[a]\nk=4294967295\n", -1}, Read{"[a]\nk=2147483648\n", -2147483647 - 1},
        Read{"[a]\nk=-2147483649\n", 2147483647}, Read{"[a]\nk=99999999999\n", 1215752191}));

TEST_F(Scratch, ReadSettingFallsBackWhenTheFileCannotBeRead) {
    EXPECT_EQ(settings::ReadSetting(ini, "a", "k", fallback), fallback); // no file
    EXPECT_EQ(settings::ReadSetting(dir / "gone" / "Varnel.ini", "a", "k", 5), 5);
    fs::create_directory(ini);
    EXPECT_EQ(settings::ReadSetting(ini, "a", "k", fallback), fallback);
}

TEST_F(Scratch, ReadSettingScansTwentyMegabytesQuickly) {
    std::mt19937 random(31);
    std::string block(1u << 20, '\0');
    for (char& c : block)
        c = random() % 8 == 0 ? "[]=\r\n \"'"[random() % 8] : static_cast<char>(random());
    std::string noise, keys = "[a]\n";
    while (noise.size() < 20u << 20)
        noise += block;
    while (keys.size() < 20u << 20)
        keys += "kk = 1\r\n";
    // Binary noise, a section of near-miss keys, and one line of blanks to trim.
    for (const std::string& text : {noise, keys, "[a]\n" + std::string(20u << 20, ' ') + "=1"}) {
        Spit(ini, text);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(settings::ReadSetting(ini, "a", "k", fallback), fallback);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        std::cout << "20 MB read in " << took.count() << " s\n";
#if defined(__SANITIZE_ADDRESS__)
        EXPECT_LT(took.count(), 10.0); // slow, but far from quadratic
#else
        EXPECT_LT(took.count(), 0.5);
#endif
    }
}

TEST(SettingsFile, AppendsTheNameWithoutLookingAtTheDirectory) {
    EXPECT_EQ(settings::SettingsFile("/opt/varnel").native(), "/opt/varnel/Varnel.ini");
    EXPECT_EQ(settings::SettingsFile("/").native(), "//Varnel.ini");
    EXPECT_EQ(settings::SettingsFile("dir/").native(), "dir//Varnel.ini");
}

} // namespace
