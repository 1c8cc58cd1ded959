#include "core/stored.h"

#include "calc/offsets.h"
#include "settings/profile.h"

#include <algorithm>
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

// The floor/ceiling fields, each kept only when it fits its field.
void LoadFloor(const settings::Path& file, Stored& s) {
    const auto field = [&file](const char* key, std::string& text) {
        const auto stored = settings::ReadText(file, "floorceiling", key);
        if (stored && stored->size() <= static_cast<std::size_t>(maxFieldLength))
            text = *stored;
    };
    field("textx", s.positionX);
    field("mapx", s.mapX);
    field("textz", s.positionZ);
    field("mapz", s.mapZ);
}

// The run window's keys, each missing or unusable one giving its default.
StoredRun LoadRun(const settings::Path& file) {
    StoredRun r;
    const auto text = [&file](const char* key, std::string& value) {
        if (const auto stored = settings::ReadText(file, "run", key))
            value = *stored;
    };
    const auto number = [&file](const char* key, int fallback) {
        return settings::ReadSetting(file, "run", key, fallback);
    };
    text("texture", r.texture);
    text("add", r.add);
    text("walls", r.walls);
    const int row = number("row", r.row);
    r.row = row >= 0 && row <= 4 ? row : r.row;
    r.on = std::max(0, number("on", r.on));
    r.whole = number("whole", 1) != 0;
    r.open = number("open", 0) != 0;
    r.topTwips = static_cast<float>(number("top", static_cast<int>(r.topTwips)));
    r.leftTwips = static_cast<float>(number("left", static_cast<int>(r.leftTwips)));
    return r;
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
    twips("top", s.topTwips);
    twips("left", s.leftTwips);
    size("textx", s.textX);
    size("textz", s.textZ);
    size("wallx", s.wallX);
    size("wallz", s.wallZ);
    s.onTop = whole("options", "ontop", s.onTop) != 0;
    row("x", s.rowX);
    row("z", s.rowZ);
    LoadFloor(file, s);
    s.wrap = whole("options", "wrap", s.wrap) != 0;
    s.run = LoadRun(file);
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
    write("options", "wrap", s.wrap ? "1" : "0");
    const StoredRun& r = s.run;
    for (const auto& [key, value] : {std::pair{"texture", calc::StoredText(r.texture)},
                                     {"row", std::to_string(r.row)},
                                     {"on", std::to_string(r.on)},
                                     {"add", r.add},
                                     {"whole", r.whole ? "1" : "0"},
                                     {"walls", r.walls},
                                     {"open", r.open ? "1" : "0"},
                                     {"top", calc::NumberToText(r.topTwips)},
                                     {"left", calc::NumberToText(r.leftTwips)}})
        write("run", key, value);
}

} // namespace core
