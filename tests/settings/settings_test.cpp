// Proves the settings file: how hand-edited files read, the exact bytes an edit
// leaves (only the value changes; the same value is not even rewritten), that a
// failed write changes nothing, and that a kill mid-write leaves a whole file.
#include "settings/profile.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <csignal>
#include <fstream>
#include <optional>
#include <random>
#ifndef _WIN32
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#else
#include <windows.h>
#endif

namespace {

namespace fs = std::filesystem;
using namespace std::string_view_literals;

// Each test gets a fresh folder, removed afterwards; the file is named as the
// program names it (on Windows a drive letter, backslashes, then "/Varnel.ini").
struct Settings : testing::Test {
    fs::path dir = fs::temp_directory_path() / ("varnel-" + std::to_string(std::random_device{}()));
    fs::path ini = settings::SettingsFile(dir);
    void SetUp() override { ASSERT_TRUE(fs::create_directory(dir)) << dir; }
    ~Settings() override { fs::remove_all(dir); }

    static std::string Slurp(const fs::path& file) {
        return {std::istreambuf_iterator<char>(std::ifstream(file, std::ios::binary).rdbuf()), {}};
    }
    static void Spit(const fs::path& file, std::string_view text) {
        std::ofstream(file, std::ios::binary).write(text.data(), std::ssize(text));
    }
    std::ptrdiff_t Entries() const { return std::distance(fs::directory_iterator(dir), {}); }
};

TEST_F(Settings, ReadsHandEditedFiles) {
    const struct {
        std::string_view text;
        std::int32_t value;
    } cases[] = {// Any line break, a byte-order mark, blanks, case, odd headers.
                 {"[b]\r\nk=1\r\n[a]\r\nj=2\r\nk=510\r\n", 510},
                 {"[a]\nk=5", 5},
                 {"[a]\rj=5\rk=6\r", 6},
                 {"\xEF\xBB\xBF[a]\r\nk=5\r\n", 5},
                 {"  [ a ] ; c\n\t k \t=\t 7 \t\n", 7},
                 {"[A]\nK=3\n", 3},
                 {"[a]b]\nk=4\n", -7},
                 {"[a]\nk = 5=6\n", 5},
                 {"[a]\n;k=1\nk=2\n", 2},
                 {"[a]\n\0\xff=\x80\nk=9\n"sv, 9},
                 {"\032[\032 a\032]\n\032k\032=\0325\032\n", 5},
                 // "[name" is no header, a line that is just the name is the key with no value.
                 {"[a\nk=4\n", -7},
                 {"[a]\n[b\nk=4\n", 4},
                 {"[a]\n[k=1\nk=2\n", 2},
                 {"[a]\nk\nk=3\n", -7},
                 // A name or a value ends at a NUL byte.
                 {"[a]\nk\0j=5\n"sv, 5},
                 {"[a]\nk=\0005\n"sv, -7},
                 {"[a]\nk=\"5\0\"\n"sv, 0},
                 // Only the first section of the name and its first key count.
                 {"[a]\nk=1\nK=2\n", 1},
                 {"[a]\nj=1\n[A]\nk=2\n", -7},
                 {"k=1\n[a]\nj=2\n", -7},
                 {"[a]\n[]\nk=1\n", -7},
                 // Values: empty, quoted, lenient digits, wrapping modulo 2^32.
                 {"", -7},
                 {"[a]\nk= \t\n", -7},
                 {"[a]\nk=\"\"\n", -7},
                 {"[a]\nk='-32'", -32},
                 {"[a]\nk=\" 8 \"\n", 8},
                 {"[a]\nk=\"32'\n", 0},
                 {"[a]\nk=12.5\n", 12},
                 {"[a]\nk=4x2\n", 4},
                 {"[a]\nk=--9\n", 0},
                 {"[a]\nk=+0012\n", 12},
                 {"[a]\nk=2147483648\n", INT32_MIN},
                 {"[a]\nk=-2147483649\n", INT32_MAX},
                 {"[a]\nk=99999999999\n", 1215752191},
                 // Control characters skipped; hexadecimal, octal and binary.
                 {"[a]\nk=\x01 5\n", 5},
                 {"[a]\nk=\"\0015\"\n", 5},
                 {"[a]\nk=0xa1fG\n", 2591},
                 {"[a]\nk=0X10\n", 16},
                 {"[a]\nk=-0o178\n", -15},
                 {"[a]\nk=+0b102\n", 2},
                 {"[a]\nk=0x1FFFFFFFF\n", -1},
                 {"[a]\nk=0x\n", 0},
                 {"[a]\nk=0105\n", 105},
                 {"[a]\n\vk\f=5\n", 5}};
    for (const auto& c : cases) {
        Spit(ini, c.text);
        EXPECT_EQ(settings::ReadSetting(ini, "a", "k", -7), c.value)
            << testing::PrintToString(c.text);
    }
}

TEST_F(Settings, WritesOnlyTheValue) {
    const struct {
        std::optional<std::string_view> before;
        std::string_view value, after;
    } cases[] = {
        {std::nullopt, "8", "[a]\r\nk=8\r\n"},
        {"\xEF\xBB\xBF", "1", "\xEF\xBB\xBF[a]\r\nk=1\r\n"},
        // In place, keeping the spelling, the spacing and every other byte.
        {"[A]\r\n  K =  1  \r\nj=2", "-5", "[A]\r\n  K =  -5  \r\nj=2"},
        {"; \xff\r\n[x]\r\ny=\0\x80\r\n\r\n[a]\r\nk=1\r\n;t"sv, "22",
         "; \xff\r\n[x]\r\ny=\0\x80\r\n\r\n[a]\r\nk=22\r\n;t"sv},
        {"[a]\nk= \nj=1", "3", "[a]\nk= 3\nj=1"},
        {"[a]\nk=\"1\"\n", "2", "[a]\nk=2\n"},
        {"[a]\nk=1\nk=1\n", "2", "[a]\nk=2\nk=1\n"},
        {"[a]\nx=1\n\n[a]\nk=1\n", "2", "[a]\nx=1\nk=2\n\n[a]\nk=1\n"},
        {"[a]\n k \nk=1\n", "2", "[a]\n k=2 \nk=1\n"},
        {"[a\nk=1\n", "2", "[a\nk=1\n[a]\nk=2\n"},
        // A new key after its section's last non-blank line, a new section at the end, in the
        // file's line breaks.
        {"[a]\nj=1\n;c\n\n[b]\n", "2", "[a]\nj=1\n;c\nk=2\n\n[b]\n"},
        {"[a]\r\nj=1", "2", "[a]\r\nj=1\r\nk=2\r\n"},
        {"[a]\rj=1\r", "2", "[a]\rj=1\rk=2\r"},
        {"[a]\r\n", "2", "[a]\r\nk=2\r\n"},
        {"[b]\nj=1\n\n", "2", "[b]\nj=1\n\n[a]\nk=2\n"},
        {"k", "2", "k\r\n[a]\r\nk=2\r\n"},
        // The value stays on its line, without leading blanks; the same value is no change.
        {std::nullopt, "1\r\n[b]\nk=9", "[a]\r\nk=1[b]k=9\r\n"},
        {std::nullopt, " \t 5 ", "[a]\r\nk=5 \r\n"},
        {"[A]\r\nK = 5\r\n", "5 ", "[A]\r\nK = 5\r\n"}};
    const auto past = fs::file_time_type::clock::now() - std::chrono::hours(1);
    for (const auto& c : cases) {
        fs::remove(ini);
        fs::file_time_type stamp{};
        if (c.before) { // a file left an hour ago, to the file system's precision
            Spit(ini, *c.before);
            fs::last_write_time(ini, past);
            stamp = fs::last_write_time(ini);
        }
        EXPECT_TRUE(settings::WriteSetting(ini, "a", "k", c.value));
        EXPECT_EQ(Slurp(ini), c.after) << testing::PrintToString(c.before.value_or("none"));
        EXPECT_EQ(fs::last_write_time(ini) == stamp,
                  c.before == c.after); // rewritten only when it changed
        EXPECT_EQ(Entries(), 1);        // no temporary file left
    }
}

// UTF-16 is read as UTF-16 and written back so, an unpaired surrogate and all;
// a file that could not be written back whole is left alone.
TEST_F(Settings, KeepsUtf16FilesInUtf16) {
    const auto utf16 = [](std::string_view mark, std::u16string_view text) {
        std::string bytes(mark);
        for (const char16_t u : text) // in the mark's byte order
            bytes += mark == "\xFF\xFE" ? std::string{char(u & 0xFF), char(u >> 8)}
                                        : std::string{char(u >> 8), char(u & 0xFF)};
        return bytes;
    };
    const std::u16string odd =
        u"\xDBFF\xD800\xDC00\x0080\xDBFF\xDFFF\xD83D\xDE00\xDC00\xDC00\xD800\xE000"; // unpaired,
                                                                                     // paired, at
                                                                                     // the bounds
    for (const std::string_view mark : {"\xFF\xFE"sv, "\xFE\xFF"sv}) {
        Spit(ini, utf16(mark, u"[a]\r\n\xD800\xDC00=5\r\nk=12\r\n" + odd));
        EXPECT_EQ(settings::ReadSetting(ini, "a", "k", -7), 12);
        EXPECT_EQ(settings::ReadSetting(ini, "a", "\U00010000", -7), 5); // a name past U+FFFF
        EXPECT_TRUE(settings::WriteSetting(ini, "a", "k", "7") &&
                    settings::WriteSetting(ini, "b", "j", "8"));
        EXPECT_FALSE(settings::WriteSetting(ini, "a", "k", "\xff")); // no UTF-16 for it: left alone
        EXPECT_EQ(Slurp(ini),
                  utf16(mark, u"[a]\r\n\xD800\xDC00=5\r\nk=7\r\n" + odd + u"\r\n[b]\r\nj=8\r\n"));
        Spit(ini, utf16(mark, u"[a]\r\nk=1") + "x");
        EXPECT_EQ(settings::ReadText(ini, "a", "k"), "1"); // the odd last byte is no character
        EXPECT_FALSE(settings::WriteSetting(ini, "a", "k", "2"));
        EXPECT_EQ(Slurp(ini), utf16(mark, u"[a]\r\nk=1") + "x");
    }
}

#ifdef _WIN32
// Over generated files, reads what the platform's own reader reads; "0X" as
// hexadecimal and values past 29 characters, which it cuts, aside.
TEST_F(Settings, ReadsAsThePlatformDoes) {
    const std::string_view atoms[] = {"[",    "]",    "=",    " ",  "\t",  "\r\n",  "\n", "\r",
                                      "\x1a", "\0"sv, "\x01", "\"", "'",   "a",     "k",  "A",
                                      "K",    "0",    "1",    "x",  "o",   "b",     "-",  "+",
                                      ";",    "\xA0", "5",    "f",  "[a]", "\r\nk="};
    std::mt19937 random(11);
    for (int i = 0; i < 2000; ++i) {
        const fs::path file =
            dir / (std::to_string(i) + ".ini"); // new each time: the platform caches
        std::string text;
        for (auto n = random() % 20 + 1; n > 0; --n)
            text += atoms[random() % std::size(atoms)];
        Spit(file, text);
        for (const char* s : {"a", "A"})
            ASSERT_EQ(settings::ReadSetting(file, s, "k", -7),
                      int(GetPrivateProfileIntA(s, "k", -7, file.string().c_str())))
                << testing::PrintToString(text);
    }
}
#endif

// A copy in a writable folder keeps its file beside it; one in a system folder
// or an unwritable one (here a path through a file, unwritable even to root)
// uses the per-user file, reading an administrator's file beside it until then.
TEST_F(Settings, ChoosesWhereTheSettingsLive) {
    const fs::path user = dir / "user.ini", system = dir / "bin",
                   admin = settings::SettingsFile(system);
    fs::create_directory(system);
    Spit(dir / "file", "x");
    const auto choose = [&](const fs::path& program) { // the file read, the file written
        const settings::Files files =
            settings::ChooseFiles(program, user, {dir / "elsewhere", system});
        return std::pair(fs::path(files.read), fs::path(files.write));
    };
    EXPECT_EQ(choose(dir), std::pair(ini, ini));
    EXPECT_EQ(choose(system), std::pair(user, user));
    EXPECT_EQ(choose(dir / "file" / "bin"), std::pair(user, user));
    Spit(admin, "");
    EXPECT_EQ(choose(system), std::pair(admin, user));
    Spit(user, "");
    EXPECT_EQ(choose(system), std::pair(user, user));
}

// Holds as root too, where permission bits would not stop a write.
TEST_F(Settings, AFailedWriteChangesNothing) {
    Spit(dir / "file", "x");
    for (const fs::path& path : {dir / "gone" / "Varnel.ini", dir / "file" / "Varnel.ini", dir})
        EXPECT_FALSE(settings::WriteSetting(path, "a", "k", "1")) << path;
    Spit(ini, "[a]\nk=1\n");
    for (const auto& [section, key] :
         {std::pair{"a", "k=j"}, {"a", "[k"}, {"a", " k"}, {"a\nb", "k"}})
        EXPECT_FALSE(settings::WriteSetting(ini, section, key, "2")) << section << '/' << key;
#ifndef _WIN32
    rlimit normal{};
    getrlimit(RLIMIT_FSIZE, &normal);
    const rlimit small{100, normal.rlim_max}; // a size limit fails write() as a full disk does
    std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    EXPECT_FALSE(settings::WriteSetting(ini, "a", "k", std::string(999, '9')));
    setrlimit(RLIMIT_FSIZE, &normal);
    fs::permissions(ini, fs::perms(0444)); // made read-only by the user: binds root too
    EXPECT_FALSE(settings::WriteSetting(ini, "a", "k", "2"));
    fs::permissions(ini, fs::perms(0644));
    fs::create_symlink("loop", dir / "loop"); // a link to itself: not followed forever
    EXPECT_FALSE(settings::WriteSetting(dir / "loop", "a", "k", "1"));
    fs::remove(dir / "loop");
#else // FILE_ATTRIBUTE_READONLY, which stops administrators too; a file another program has open
    fs::permissions(ini, fs::perms::owner_write, fs::perm_options::remove);
    EXPECT_FALSE(settings::WriteSetting(ini, "a", "k", "2"));
    fs::permissions(ini, fs::perms::owner_write, fs::perm_options::add);
    std::ifstream held(ini);
    EXPECT_FALSE(settings::WriteSetting(ini, "a", "k", "2"));
#endif
    EXPECT_EQ(Slurp(ini), "[a]\nk=1\n");
    EXPECT_EQ(Slurp(dir / "file"), "x");
    EXPECT_EQ(Entries(), 2);
}

#ifndef _WIN32 // links with modes, fork and kill
// A child writes six keys over and over, with values of changing length, and
// is killed at random moments, mostly mid-write: the file is always whole. The
// file is a link, which stays a link while its target changes, mode and all.
TEST_F(Settings, AKillWhileWritingLeavesAWholeFile) {
    Spit(dir / "target.ini", "");
    fs::permissions(dir / "target.ini", fs::perms(0640));
    fs::create_symlink("target.ini", ini);
    const char* keys[] = {"textx", "textz", "wallx", "wallz", "top", "left"};
    const auto write = [&](int i) {
        for (const char* key : keys)
            settings::WriteSetting(ini, "a", key,
                                   std::to_string(i) + std::string(std::size_t(i % 40), ' '));
    };
    write(0);
    const std::string first = Slurp(ini);
    std::mt19937 random(7);
    for (int round = 1; round <= 150; ++round) {
        const pid_t child = fork();
        for (int i = round * 1000; child == 0; ++i)
            write(i);
        usleep(useconds_t(random() % 5000));
        kill(child, SIGKILL);
        ASSERT_EQ(waitpid(child, nullptr, 0), child);
        for (const char* key : keys)
            ASSERT_GE(settings::ReadSetting(ini, "a", key, -1), 0) << Slurp(ini);
    }
    EXPECT_NE(Slurp(ini), first); // the children did write
    EXPECT_TRUE(fs::is_symlink(ini) && fs::status(ini).permissions() == fs::perms(0640));
}
#endif

} // namespace
