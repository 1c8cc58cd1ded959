#include "core/stored.h"

#include "calc/offsets.h"
#include "settings/profile.h"

#include <string>

namespace core {
namespace {

// Whether a stored size is a lone number with a fraction or an exponent, which
// the whole-number reader would cut short: it is taken as written instead.
bool KeepsItsText(const std::string& text) {
    if (text.find_first_of(".eE") == std::string::npos ||
        text.find_first_not_of("0123456789+-.eE") != std::string::npos)
        return false;
    try {
        calc::TextToNumber(text);
        return calc::StoredText(text) == text; // a number, not arithmetic
    } catch (const calc::Failure&) {
        return false;
    }
}

} // namespace

Stored Load(const settings::Path& file) {
    // Each default is the one Stored starts with.
    Stored s;
    const auto whole = [&file](const char* section, const char* key, int fallback) {
        return settings::ReadSetting(file, section, key, fallback);
    };
    const auto twips = [&whole](const char* key, float& value) {
        value = static_cast<float>(whole("position", key, static_cast<int>(value)));
    };
    const auto size = [&](const char* key, std::string& text) {
        const auto stored = settings::ReadText(file, "lastsize", key);
        text = stored && KeepsItsText(*stored)
                   ? *stored
                   : calc::WholeToText(whole("lastsize", key, std::stoi(text)));
    };
    const auto row = [&whole](const char* key, int& value) {
        const int stored = whole("alignment", key, value);
        value = stored >= 0 && stored <= 4 ? stored : value;
    };
    const auto field = [&file](const char* key, std::string& text) {
        const auto stored = settings::ReadText(file, "floorceiling", key);
        if (stored && stored->size() <= static_cast<std::size_t>(maxFieldLength))
            text = *stored;
    };
    twips("top", s.topTwips);
    twips("left", s.leftTwips);
    size("textx", s.textX);
    size("textz", s.textZ);
    size("wallx", s.wallX);
    size("wallz", s.wallZ);
    s.onTop = whole("options", "ontop", s.onTop) != 0;
    row("x", s.rowX);
    row("z", s.rowZ);
    field("textx", s.positionX);
    field("mapx", s.mapX);
    field("textz", s.positionZ);
    field("mapz", s.mapZ);
    return s;
}

void Save(const settings::Path& file, const Stored& s) {
    settings::MakeFolderFor(file); // a per-user folder is made on first use; a failure shows below
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
    write("alignment", "x", std::to_string(s.rowX));
    write("alignment", "z", std::to_string(s.rowZ));
    write("floorceiling", "textx", s.positionX);
    write("floorceiling", "mapx", s.mapX);
    write("floorceiling", "textz", s.positionZ);
    write("floorceiling", "mapz", s.mapZ);
}

} // namespace core
