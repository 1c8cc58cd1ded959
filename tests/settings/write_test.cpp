#include "scratch.h"
#include "settings/profile.h"

#include <csignal>
#include <optional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace std::string_view_literals;

// [a] k set to value in a file that held before (or no file at all).
struct Edit {
    std::optional<std::string_view> before;
    std::string_view value;
    std::string_view after;
};

void PrintTo(const Edit& c, std::ostream* os) {
    *os << (c.before ? Shown(*c.before) : "no file") << " with " << Shown(c.value);
}

class WriteSettingGives : public Scratch, public testing::WithParamInterface<Edit> {};

TEST_P(WriteSettingGives, ExactlyTheseBytes) {
    if (GetParam().before)
        Spit(ini, *GetParam().before);
    ASSERT_TRUE(settings::WriteSetting(ini, "a", "k", GetParam().value));
    EXPECT_EQ(Slurp(ini), GetParam().after);
    EXPECT_EQ(Names(dir), std::vector<std::string>{"Varnel.ini"}); // no temporary left
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, WriteSettingGives,
    testing::Values(Edit{std::nullopt, "8", "[a]\r\nk=8\r\n"}, Edit{"", "1", "[a]\r\nk=1\r\n"},
                    Edit{"\xEF\xBB\xBF", "1", "\xEF\xBB\xBF[a]\r\nk=1\r\n"},
                    // In place, keeping the spelling, the spacing and every other byte.
                    Edit{"[a]\r\nk=1\r\nj=2\r\n", "345", "[a]\r\nk=345\r\nj=2\r\n"},
                    Edit{"[A]\r\n  K =  1  \r\n", "-5", "[A]\r\n  K =  -5  \r\n"},
                    Edit{"\xEF\xBB\xBF; \xff\r\n[x]\r\ny=\0\x80\r\n\r\n[a]\r\nk=1\r\n;t"sv, "22",
                         "\xEF\xBB\xBF; \xff\r\n[x]\r\ny=\0\x80\r\n\r\n[a]\r\nk=22\r\n;t"sv},
                    Edit{"[a]\nk= \nj=1", "3", "[a]\nk= 3\nj=1"},
                    Edit{"[a]\nk=\"1\"\n", "2", "[a]\nk=2\n"},
                    Edit{"[a]\nk=1\nk=1\n", "2", "[a]\nk=2\nk=1\n"},
                    Edit{"[a]\nx=1\n\n[a]\nk=1\n", "2", "[a]\nx=1\nk=2\n\n[a]\nk=1\n"},
                    // A new key after the section's last non-blank line, a new section at
                    // the end, in the file's own line breaks.
                    Edit{"[a]\nj=1\n;c\n\n[b]\n", "2", "[a]\nj=1\n;c\nk=2\n\n[b]\n"},
                    Edit{"[a]\r\nj=1", "2", "[a]\r\nj=1\r\nk=2\r\n"},
                    Edit{"[a]\rj=1\r", "2", "[a]\rj=1\rk=2\r"},
                    Edit{"[b]\nj=1\n\n", "2", "[b]\nj=1\n\n[a]\nk=2\n"},
                    Edit{"k=1", "2", "k=1\r\n[a]\r\nk=2\r\n"},
                    // The value stays on its line and loses leading blanks; the same value
                    // changes nothing.
                    Edit{std::nullopt, "1\r\n[b]\nk=9", "[a]\r\nk=1[b]k=9\r\n"},
                    Edit{std::nullopt, " \t 5 ", "[a]\r\nk=5 \r\n"},
                    Edit{"[a]\nk=5\n", "5 ", "[a]\nk=5\n"}));

TEST_F(Scratch, TheSixUnloadWritesMakeTheKnownFile) {
    for (const auto& [section, key, value] : {std::tuple{"lastsize", "textx", "8"},
                                              {"lastsize", "textz", "8"},
                                              {"lastsize", "wallx", "16"},
                                              {"lastsize", "wallz", "16"},
                                              {"position", "top", "345"},
                                              {"position", "left", "510"}})
        ASSERT_TRUE(settings::WriteSetting(ini, section, key, value));
    EXPECT_EQ(Slurp(ini), "[lastsize]\r\ntextx=8\r\ntextz=8\r\nwallx=16\r\nwallz=16\r\n"
                          "[position]\r\ntop=345\r\nleft=510\r\n");
}

TEST_F(Scratch, TheSameValueLeavesTheFileUntouched) {
    Spit(ini, "[a]\r\nk = 7\r\n");
    const auto past = fs::last_write_time(ini) - std::chrono::hours(1);
    fs::last_write_time(ini, past);
    struct stat before = {}, after = {};
    ASSERT_EQ(stat(ini.c_str(), &before), 0);
    EXPECT_TRUE(settings::WriteSetting(ini, "A", "K", "7"));
    ASSERT_EQ(stat(ini.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(fs::last_write_time(ini), past);
}

TEST_F(Scratch, ASymbolicLinkStaysAndItsTargetChanges) {
    fs::create_directory(dir / "real");
    Spit(dir / "real" / "target.ini", "[a]\nk=1\n");
    fs::permissions(dir / "real" / "target.ini", fs::perms(0640));
    fs::create_symlink("real/target.ini", ini);
    ASSERT_TRUE(settings::WriteSetting(ini, "a", "k", "2"));
    EXPECT_TRUE(fs::is_symlink(ini));
    EXPECT_EQ(Slurp(dir / "real" / "target.ini"), "[a]\nk=2\n");
    EXPECT_EQ(fs::status(ini).permissions(), fs::perms(0640));
    EXPECT_EQ(Names(dir / "real"), std::vector<std::string>{"target.ini"});
}

// Runs as root too, where permission bits would not stop a write.
TEST_F(Scratch, WriteSettingFailsAndChangesNothing) {
    Spit(dir / "file", "x");
    fs::create_directory(dir / "folder");
    fs::create_symlink("folder", dir / "link");
    for (const fs::path& path :
         {dir / "gone" / "Varnel.ini", dir / "file" / "Varnel.ini", dir / "folder", dir / "link"})
        EXPECT_FALSE(settings::WriteSetting(path, "a", "k", "1")) << path;
    Spit(ini, "[a]\nk=1\n");
    for (const auto& [section, key] :
         {std::pair{"a", "k=j"}, {"a", "[k"}, {"a", " k"}, {"a\nb", "k"}, {"a", "k\r"}})
        EXPECT_FALSE(settings::WriteSetting(ini, section, key, "2")) << section << '/' << key;
    EXPECT_EQ(Slurp(ini), "[a]\nk=1\n");
    EXPECT_EQ(Slurp(dir / "file"), "x");
    EXPECT_EQ(Names(dir), (std::vector<std::string>{"Varnel.ini", "file", "folder", "link"}));
    EXPECT_TRUE(fs::is_empty(dir / "folder"));
}

TEST_F(Scratch, AFullDiskLeavesTheOldFile) {
    Spit(ini, "[a]\nk=1\n");
    const pid_t child = fork();
    if (child == 0) {
        // A file size limit makes write() fail the way a full disk does.
        const rlimit limit{100, 100};
        std::signal(SIGXFSZ, SIG_IGN);
        const bool wrote = setrlimit(RLIMIT_FSIZE, &limit) == 0 &&
                           settings::WriteSetting(ini, "a", "k", std::string(1000, '9'));
        _exit(wrote ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(Slurp(ini), "[a]\nk=1\n");
    EXPECT_EQ(Names(dir), std::vector<std::string>{"Varnel.ini"});
}

} // namespace
