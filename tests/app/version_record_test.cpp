#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>

namespace {

std::string Record() {
    std::ifstream file(VARNEL_RC_FILE);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// One statement of the record, whatever the spacing around it.
bool Has(const std::string& record, const std::string& pattern) {
    return std::regex_search(record, std::regex(pattern));
}

TEST(VersionRecord, CarriesTheVersionNamesAndLanguage) {
    const std::string rc = Record();
    ASSERT_FALSE(rc.empty()) << VARNEL_RC_FILE;
    EXPECT_TRUE(Has(rc, R"(\n\s*FILEVERSION\s+1,0,0,4\s*\n)"));
    EXPECT_TRUE(Has(rc, R"(\n\s*PRODUCTVERSION\s+1,0,0,4\s*\n)"));
    EXPECT_TRUE(Has(rc, R"(VALUE\s+"FileVersion",\s*"1\.00\.0004")"));
    EXPECT_TRUE(Has(rc, R"(VALUE\s+"ProductVersion",\s*"1\.00\.0004")"));
    EXPECT_TRUE(Has(rc, R"(VALUE\s+"ProductName",\s*"Varnel")"));
    EXPECT_TRUE(Has(rc, R"(VALUE\s+"InternalName",\s*"Varnel")"));
    EXPECT_TRUE(Has(rc, R"(VALUE\s+"OriginalFilename",\s*"Varnel\.exe")"));
    // US English in Unicode: the string block's name and the translation agree.
    EXPECT_TRUE(Has(rc, R"(BLOCK\s+"040904b0")"));
    EXPECT_TRUE(Has(rc, R"(VALUE\s+"Translation",\s*0x0409,\s*1200)"));
    EXPECT_TRUE(Has(rc, R"(ICON\s+".*/resources/varnel\.ico")"));
    EXPECT_FALSE(Has(rc, "@[A-Z_]+@")) << "an unreplaced placeholder";
}

} // namespace
