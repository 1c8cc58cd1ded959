#include "core/stored.h"

#include "calc/offsets.h"
#include "settings/profile.h"

#include <string>
#include <system_error>

namespace core {

Stored Load(const std::filesystem::path& file) {
    Stored s;
    const auto whole = [&file](const char* section, const char* key, int fallback) {
        return settings::ReadSetting(file, section, key, fallback);
    };
    // Each default is the one Stored starts with.
    const auto twips = [&whole](const char* key, float& value) {
        value = static_cast<float>(whole("position", key, static_cast<int>(value)));
    };
    const auto size = [&whole](const char* key, std::string& text) {
        text = calc::WholeToText(whole("lastsize", key, std::stoi(text)));
    };
    twips("top", s.topTwips);
    twips("left", s.leftTwips);
    size("textx", s.textX);
    size("textz", s.textZ);
    size("wallx", s.wallX);
    size("wallz", s.wallZ);
    s.onTop = whole("options", "ontop", s.onTop) != 0;
    return s;
}

void Save(const std::filesystem::path& file, const Stored& s) {
    std::error_code missing; // a per-user folder is made on first use; a failure shows below
    std::filesystem::create_directories(file.parent_path(), missing);
    const auto write = [&file](const char* section, const char* key, const std::string& value) {
        settings::WriteSetting(file, section, key, value); // a failed write is ignored
    };
    write("lastsize", "textx", calc::StoredText(s.textX));
    write("lastsize", "textz", calc::StoredText(s.textZ));
    write("lastsize", "wallx", calc::StoredText(s.wallX));
    write("lastsize", "wallz", calc::StoredText(s.wallZ));
    write("position", "top", calc::NumberToText(s.topTwips));
    write("position", "left", calc::NumberToText(s.leftTwips));
    write("options", "ontop", s.onTop ? "1" : "0");
}

} // namespace core
