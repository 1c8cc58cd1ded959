// Each test gets a fresh directory under the system's temporary folder, with
// Varnel.ini inside it, removed afterwards.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

class Scratch : public testing::Test {
  protected:
    void SetUp() override {
        std::string name = (fs::temp_directory_path() / "varnel-settings-XXXXXX").string();
        ASSERT_NE(mkdtemp(name.data()), nullptr);
        dir = name;
        ini = dir / "Varnel.ini";
    }
    void TearDown() override { fs::remove_all(dir); }

    static std::string Slurp(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static void Spit(const fs::path& file, std::string_view text) {
        std::ofstream(file, std::ios::binary).write(text.data(), std::ssize(text));
    }
    // Sorted, so a leftover temporary file shows in a comparison.
    static std::vector<std::string> Names(const fs::path& directory) {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(directory))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path dir, ini;
};

// Text as gtest shows strings, escapes and all.
inline std::string Shown(std::string_view text) {
    return testing::PrintToString(std::string(text));
}
