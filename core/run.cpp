#include "core/run.h"

#include "calc/offsets.h"

#include <cmath>
#include <optional>

namespace core {
namespace {

bool Blank(std::string_view text) {
    return text.find_first_not_of(" \t\r\n\v\f") == std::string_view::npos;
}

// The walls that count: those not blank, the first maxRunWalls of them.
std::vector<std::string_view> Counted(const Run& run) {
    std::vector<std::string_view> walls;
    for (const std::string& wall : run.walls)
        if (!Blank(wall) && walls.size() < maxRunWalls)
            walls.push_back(wall);
    return walls;
}

std::optional<double> Number(std::string_view text) {
    try {
        return calc::TextToNumber(text);
    } catch (const calc::Failure&) {
        return std::nullopt;
    }
}

// The nearest whole number, ties to even.
double Whole(double v) {
    const double down = std::floor(v);
    const double fraction = v - down;
    return fraction > 0.5 || (fraction == 0.5 && std::fmod(down, 2.0) != 0.0) ? down + 1 : down;
}

// What the texts read as, or the first that does not read as a number.
struct Read {
    double texture = 0, add = 0;
    std::vector<double> lengths;
    std::string bad; // "Texture", "Add", "Wall 3", or empty
};

Read ReadRun(const Run& run) {
    Read r;
    const auto texture = Number(run.texture);
    const auto add = Number(run.add);
    if (!texture || !add) {
        r.bad = !texture ? "Texture" : "Add";
        return r;
    }
    r.texture = *texture;
    r.add = *add;
    for (const std::string_view wall : Counted(run)) {
        const auto length = Number(wall);
        if (!length) {
            r.bad = "Wall " + std::to_string(r.lengths.size() + 1);
            return r;
        }
        r.lengths.push_back(run.whole ? Whole(*length) : *length);
    }
    return r;
}

// The run's offset O, before the lengths of the walls before each wall.
double RunOffset(const Run& run, const Read& r) {
    double total = 0;
    for (const double length : r.lengths)
        total += length;
    const std::size_t k = run.on > 0 ? static_cast<std::size_t>(run.on) : 0;
    if (k == 0 || k > r.lengths.size())
        return *calc::WallOffsetValue(run.row, r.texture, total);
    double before = 0;
    for (std::size_t j = 0; j + 1 < k; ++j)
        before += r.lengths[j];
    return *calc::WallOffsetValue(run.row, r.texture, r.lengths[k - 1]) - before;
}

// The texts, or nothing when an offset is beyond the single range.
std::optional<std::vector<std::string>> Offsets(const Run& run, const Read& r) {
    std::vector<std::string> shown;
    const double offset = RunOffset(run, r);
    double before = 0; // S(j), added up from the first wall on
    try {
        for (const double length : r.lengths) {
            shown.push_back(OffsetText(offset + before + r.add, r.texture, run.wrap, run.whole));
            before += length;
        }
    } catch (const calc::Failure&) {
        return std::nullopt;
    }
    return shown;
}

} // namespace

std::string OffsetText(double value, double texture, bool wrap, bool whole) {
    if (whole)
        value = Whole(value);
    wrap = wrap && texture > 0;
    if (wrap) {
        value = std::fmod(value, texture);
        if (value < 0)
            value += texture;
    }
    const float shown = calc::ToSingle(value);
    return calc::NumberToText(wrap && shown == static_cast<float>(texture) ? 0.0f : shown);
}

std::vector<std::string> RunResults(const Run& run) {
    const std::size_t count = Counted(run).size();
    if (!calc::WallOffsetValue(run.row, 0, 0))
        return std::vector<std::string>(count);
    const Read r = ReadRun(run);
    if (r.bad.empty())
        if (auto shown = Offsets(run, r))
            return *std::move(shown);
    return std::vector<std::string>(count, "Error");
}

std::string RunNote(const Run& run) {
    const Read r = ReadRun(run);
    if (!r.bad.empty())
        return r.bad + " is not a number";
    if (calc::WallOffsetValue(run.row, 0, 0) && !Offsets(run, r))
        return "An offset is beyond the range of numbers";
    std::size_t walls = 0;
    for (const std::string& wall : run.walls)
        walls += Blank(wall) ? 0u : 1u;
    return walls > maxRunWalls ? "At most " + std::to_string(maxRunWalls) + " walls count"
                               : std::string();
}

std::vector<std::string> CountedWalls(const Run& run) {
    const std::vector<std::string_view> walls = Counted(run);
    return {walls.begin(), walls.end()};
}

std::vector<std::string> WallsOf(std::string_view text) {
    std::vector<std::string> walls(1);
    for (const char c : text) {
        if (c == '\n' || c == '\t' || c == ';')
            walls.emplace_back();
        else if (c != '\r')
            walls.back() += c;
    }
    return walls;
}

} // namespace core
