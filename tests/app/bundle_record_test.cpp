// The generated macOS bundle record (Info.plist) and the bundle icon it names,
// checked on every platform.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// The <string> value that follows <key>key</key>, or "<none>".
std::string Value(const std::string& plist, const std::string& key) {
    std::smatch match;
    if (std::regex_search(plist, match,
                          std::regex("<key>" + key + R"(</key>\s*<string>([^<]*)</string>)")))
        return match[1].str();
    return "<none>";
}

std::size_t Count(const std::string& text, const std::regex& pattern) {
    return static_cast<std::size_t>(std::distance(
        std::sregex_iterator(text.begin(), text.end(), pattern), std::sregex_iterator()));
}

// The id the desktop entry and the AppStream metainfo are published under.
std::string AppId() {
    std::smatch match;
    const std::string metainfo = ReadFile(VARNEL_METAINFO);
    if (std::regex_search(metainfo, match, std::regex(R"(<id>([^<]+)</id>)")))
        return match[1].str();
    return "<no id in " VARNEL_METAINFO ">";
}

std::uint32_t BigEndian32(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value = (value << 8) | static_cast<unsigned char>(bytes.at(at + i));
    return value;
}

TEST(BundleRecord, CarriesTheVersionTheIdAndTheProgram) {
    const std::string plist = ReadFile(VARNEL_INFO_PLIST);
    ASSERT_FALSE(plist.empty()) << VARNEL_INFO_PLIST;
    EXPECT_EQ(Value(plist, "CFBundleShortVersionString"), "1.0.4");
    EXPECT_EQ(Value(plist, "CFBundleVersion"), "1.0.4");
    EXPECT_EQ(Value(plist, "CFBundleIdentifier"), AppId());
    EXPECT_EQ(Value(plist, "CFBundleExecutable"), VARNEL_EXECUTABLE_NAME);
    EXPECT_EQ(Value(plist, "CFBundleName"), "Varnel");
    EXPECT_EQ(Value(plist, "CFBundlePackageType"), "APPL");
    EXPECT_EQ(Value(plist, "CFBundleIconFile"), "varnel.icns");
    EXPECT_EQ(Count(plist, std::regex("@[A-Za-z_]+@")), 0U) << "an unreplaced placeholder";
}

TEST(BundleRecord, EveryKeyHasOneValue) {
    const std::string plist = ReadFile(VARNEL_INFO_PLIST);
    const std::size_t keys = Count(plist, std::regex("<key>"));
    EXPECT_GT(keys, 8U);
    EXPECT_EQ(Count(plist, std::regex(R"(</key>\s*<(string>[^<]*</string|true/|false/)>)")), keys);
    EXPECT_EQ(Count(plist, std::regex("<dict>")), 1U);
    EXPECT_EQ(Count(plist, std::regex("</dict>\\s*</plist>\\s*$")), 1U);
}

// An .icns file is "icns", its length, then elements of a type, a length
// (header included) and data; here every element's data is a PNG image.
TEST(BundleIcon, IsAWellFormedIconFamilyOfPngImages) {
    const std::string icns = ReadFile(VARNEL_SOURCE_DIR "/resources/varnel.icns");
    ASSERT_GE(icns.size(), 8U);
    EXPECT_EQ(icns.substr(0, 4), "icns");
    EXPECT_EQ(BigEndian32(icns, 4), icns.size());
    const std::string png("\x89PNG\r\n\x1a\n", 8);
    std::size_t at = 8, elements = 0;
    while (at + 8 <= icns.size()) {
        const std::uint32_t length = BigEndian32(icns, at + 4);
        ASSERT_GE(length, 16U) << "element " << elements;
        ASSERT_LE(at + length, icns.size()) << "element " << elements;
        EXPECT_EQ(icns.substr(at + 8, 8), png) << "element " << icns.substr(at, 4);
        at += length;
        ++elements;
    }
    EXPECT_EQ(at, icns.size());
    EXPECT_GE(elements, 5U);
}

} // namespace
