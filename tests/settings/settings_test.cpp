// Proves the settings file: how hand-edited files read, the exact bytes an edit
// leaves (only the value changes; the same value is not even rewritten), that a
// failed write changes nothing, and that a kill mid-write leaves a whole file.
#include "settings/profile.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <optional>
#include <random>
#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
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
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    static void Spit(const fs::path& file, std::string_view text) {
        std::ofstream(file, std::ios::binary).write(text.data(), std::ssize(text));
    }
    std::ptrdiff_t Entries() const { return std::distance(fs::directory_iterator(dir), {}); }
#ifndef _WIN32 // Windows' stat has no inode numbers
    ino_t Inode() const {
        struct stat s = {};
        return stat(ini.c_str(), &s) == 0 ? s.st_ino : 0;
    }
#endif
};

TEST_F(Settings, ReadsHandEditedFiles) {
    const struct { std::string_view text; std::int32_t value; } cases[] = {
        // Any line break, a byte-order mark, blanks, case, odd headers.
        {"[b]\r\nk=1\r\n[a]\r\nj=2\r\nk=510\r\n", 510}, {"[a]\nk=5", 5}, {"[a]\rj=5\rk=6\r", 6},
        {"\xEF\xBB\xBF[a]\r\nk=5\r\n", 5}, {"  [ a ] ; c\n\t k \t=\t 7 \t\n", 7}, {"[A]\nK=3\n", 3},
        {"[a]b]\nk=4\n", -7}, {"[a\nk=4\n", 4}, {"[a]\nk = 5=6\n", 5}, {"[a]\n;k=1\nk=2\n", 2},
        {"[a]\n\0\xff=\x80\nk=9\n"sv, 9},
        // Only the first section of the name and its first key count.
        {"[a]\nk=1\nK=2\n", 1}, {"[a]\nj=1\n[A]\nk=2\n", -7}, {"k=1\n[a]\nj=2\n", -7}, {"[a]\n[b]\nk=1\n", -7},
        // Values: empty, quoted, lenient digits, wrapping modulo 2^32.
        {"", -7}, {"[a]\nk= \t\n", -7}, {"[a]\nk=\"\"\n", -7}, {"[a]\nk='-32'", -32},
        {"[a]\nk=\" 8 \"\n", 8}, {"[a]\nk=\"32'\n", 0}, {"[a]\nk=12.5\n", 12}, {"[a]\nk=42abc\n", 42},
        {"[a]\nk=--9\n", 0}, {"[a]\nk=+0012\n", 12}, {"[a]\nk=2147483648\n", INT32_MIN},
        {"[a]\nk=-2147483649\n", INT32_MAX}, {"[a]\nk=99999999999\n", 1215752191}};
    for (const auto& c : cases) {
        Spit(ini, c.text);
        EXPECT_EQ(settings::ReadSetting(ini, "a", "k", -7), c.value) << testing::PrintToString(c.text);
    }
}

TEST_F(Settings, WritesOnlyTheValue) {
    const struct { std::optional<std::string_view> before; std::string_view value, after; } cases[] = {
        {std::nullopt, "8", "[a]\r\nk=8\r\n"}, {"\xEF\xBB\xBF", "1", "\xEF\xBB\xBF[a]\r\nk=1\r\n"},
        // In place, keeping the spelling, the spacing and every other byte.
        {"[A]\r\n  K =  1  \r\nj=2", "-5", "[A]\r\n  K =  -5  \r\nj=2"},
        {"; \xff\r\n[x]\r\ny=\0\x80\r\n\r\n[a]\r\nk=1\r\n;t"sv, "22", "; \xff\r\n[x]\r\ny=\0\x80\r\n\r\n[a]\r\nk=22\r\n;t"sv},
        {"[a]\nk= \nj=1", "3", "[a]\nk= 3\nj=1"}, {"[a]\nk=\"1\"\n", "2", "[a]\nk=2\n"},
        {"[a]\nk=1\nk=1\n", "2", "[a]\nk=2\nk=1\n"}, {"[a]\nx=1\n\n[a]\nk=1\n", "2", "[a]\nx=1\nk=2\n\n[a]\nk=1\n"},
        // A new key after its section's last non-blank line, a new section at
        // the end, each in the file's own line breaks.
        {"[a]\nj=1\n;c\n\n[b]\n", "2", "[a]\nj=1\n;c\nk=2\n\n[b]\n"}, {"[a]\r\nj=1", "2", "[a]\r\nj=1\r\nk=2\r\n"},
        {"[a]\rj=1\r", "2", "[a]\rj=1\rk=2\r"}, {"[b]\nj=1\n\n", "2", "[b]\nj=1\n\n[a]\nk=2\n"},
        {"k=1", "2", "k=1\r\n[a]\r\nk=2\r\n"},
        // The value stays on its line, without leading blanks; the same value is no change.
        {std::nullopt, "1\r\n[b]\nk=9", "[a]\r\nk=1[b]k=9\r\n"}, {std::nullopt, " \t 5 ", "[a]\r\nk=5 \r\n"},
        {"[A]\r\nK = 5\r\n", "5 ", "[A]\r\nK = 5\r\n"}};
    for (const auto& c : cases) {
        fs::remove(ini);
        if (c.before)
            Spit(ini, *c.before);
#ifndef _WIN32
        const ino_t before = Inode();
#endif
        EXPECT_TRUE(settings::WriteSetting(ini, "a", "k", c.value));
        EXPECT_EQ(Slurp(ini), c.after) << testing::PrintToString(c.before.value_or("none"));
#ifndef _WIN32
        EXPECT_EQ(Inode() == before, c.before == c.after); // rewritten only when it changed
#endif
        EXPECT_EQ(Entries(), 1); // no temporary file left
    }
}

// A copy in a writable folder keeps its file beside it; one in a system folder
// or an unwritable one (here a path through a file, unwritable even to root)
// uses the per-user file, reading an administrator's file beside it until then.
TEST_F(Settings, ChoosesWhereTheSettingsLive) {
    const fs::path user = dir / "user.ini", system = dir / "bin", unwritable = dir / "file" / "bin";
    fs::create_directory(system);
    Spit(dir / "file", "x");
    using Files = std::pair<fs::path, fs::path>;
    const auto choose = [&](const fs::path& program) {
        const settings::Files files = settings::ChooseFiles(program, user, {dir / "elsewhere", system});
        return Files{files.read, files.write};
    };
    EXPECT_EQ(choose(dir), Files(ini, ini));
    EXPECT_EQ(choose(system), Files(user, user));
    EXPECT_EQ(choose(unwritable), Files(user, user));
    Spit(settings::SettingsFile(system), "");
    EXPECT_EQ(choose(system), Files(settings::SettingsFile(system), user));
    Spit(user, "");
    EXPECT_EQ(choose(system), Files(user, user));
}

// Holds as root too, where permission bits would not stop a write.
TEST_F(Settings, AFailedWriteChangesNothing) {
    Spit(dir / "file", "x");
    for (const fs::path& path : {dir / "gone" / "Varnel.ini", dir / "file" / "Varnel.ini", dir})
        EXPECT_FALSE(settings::WriteSetting(path, "a", "k", "1")) << path;
    Spit(ini, "[a]\nk=1\n");
    for (const auto& [section, key] : {std::pair{"a", "k=j"}, {"a", "[k"}, {"a", " k"}, {"a\nb", "k"}})
        EXPECT_FALSE(settings::WriteSetting(ini, section, key, "2")) << section << '/' << key;
#ifndef _WIN32
    rlimit normal{};
    getrlimit(RLIMIT_FSIZE, &normal);
    const rlimit small{100, normal.rlim_max}; // a size limit fails write() as a full disk does
    std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    EXPECT_FALSE(settings::WriteSetting(ini, "a", "k", std::string(999, '9')));
    setrlimit(RLIMIT_FSIZE, &normal);
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
TEST_F(Settings, ALinkStaysALinkAndItsTargetKeepsItsMode) {
    fs::create_directory(dir / "real");
    Spit(dir / "real" / "target.ini", "[a]\nk=1\n");
    fs::permissions(dir / "real" / "target.ini", fs::perms(0640));
    fs::create_symlink("real/target.ini", ini);
    ASSERT_TRUE(settings::WriteSetting(ini, "a", "k", "2"));
    EXPECT_TRUE(fs::is_symlink(ini));
    EXPECT_EQ(Slurp(ini), "[a]\nk=2\n");
    EXPECT_EQ(fs::status(ini).permissions(), fs::perms(0640));
}

// A child writes six keys over and over, with values of changing length, and
// is killed at random moments, mostly mid-write: the file is always whole.
TEST_F(Settings, AKillWhileWritingLeavesAWholeFile) {
    const char* keys[] = {"textx", "textz", "wallx", "wallz", "top", "left"};
    const auto write = [&](int i) {
        for (const char* key : keys)
            settings::WriteSetting(ini, "a", key, std::to_string(i) + std::string(std::size_t(i % 40), ' '));
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
}
#endif

} // namespace
