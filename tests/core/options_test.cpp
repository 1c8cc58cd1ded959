// Proves the command line both programs share: the words that ask for the help, the version or
// the window, the words refused, and the window system's own words left to it.
#include "core/options.h"
#include "varnel_version.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using enum core::Ask;

// As a toolkit might claim its words: "-style NAME" and "-reverse".
std::size_t Toolkit(std::string_view word) {
    return word == "-style" ? 2 : word == "-reverse" ? 1 : 0;
}

struct Row {
    const char* name;
    std::vector<std::string> words;
    core::TakenElsewhere elsewhere;
    core::Ask ask;
    std::string says; // the reply's whole text; for the help, its last line
    friend void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }
};

const std::string version = std::string("Varnel ") + varnel::version + "\n";
const std::string settings = "Settings file: /x/Varnel.ini\n";
std::string Refused(const std::string& what) {
    return "varnel: " + what + " Try 'varnel --help'.\n";
}

struct Options : testing::TestWithParam<Row> {};

TEST_P(Options, AskAndReply) {
    const Row& row = GetParam();
    const core::Options options = core::ReadOptions(row.words, row.elsewhere);
    ASSERT_EQ(options.ask, row.ask);
    if (row.ask == Window)
        return;
    const core::Reply reply = core::ReplyTo(options, "/x/Varnel.ini");
    EXPECT_TRUE(row.ask == Help ? reply.text.ends_with(row.says) : reply.text == row.says)
        << reply.text;
    // A refusal goes to the error output with status 2; the others are answers.
    EXPECT_EQ(reply.error, row.ask == Refuse);
    EXPECT_EQ(reply.status, row.ask == Refuse ? 2 : 0);
}

const Row rows[] = {
    {"Nothing", {}, nullptr, Window, ""},
    {"Help", {"--help"}, nullptr, Help, settings},
    {"ShortHelp", {"-h"}, nullptr, Help, settings},
    {"Version", {"--version"}, nullptr, Version, version},
    {"VersionOverHelp", {"-v", "--help"}, nullptr, Version, version},
    {"UnknownOption", {"--bogus"}, nullptr, Refuse, Refused("Unknown option '--bogus'.")},
    {"BesideHelp", {"--help", "x"}, nullptr, Refuse, Refused("Unexpected argument 'x'.")},
    {"AfterDashDash", {"--", "-h"}, nullptr, Refuse, Refused("Unexpected argument '-h'.")},
    {"ToolkitWordsLeft", {"-style", "--version", "-reverse"}, Toolkit, Window, ""},
    {"NoToolkit", {"-reverse"}, nullptr, Refuse, Refused("Unknown option '-reverse'.")},
};
INSTANTIATE_TEST_SUITE_P(CommandLine, Options, testing::ValuesIn(rows),
                         [](const testing::TestParamInfo<Row>& each) { return each.param.name; });

} // namespace
