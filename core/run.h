// A run of connected walls that one texture runs along without a seam: the
// offset of each wall is the run's offset plus the lengths of the walls
// before it, as a level designer would add them up by hand.
#pragma once

#include "core/calculator.h"

#include <string>
#include <string_view>
#include <vector>

namespace core {

// The most walls of a run that count; the ones after them give no result.
inline constexpr std::size_t maxRunWalls = 256;

struct Run {
    int row = defaultRow;           // alignment row 0..4, the rows of lstPosX
    int on = 0;                     // 0: the whole run; k: wall k, counted from 1
    std::string texture = "64";     // the texture width, as typed
    std::string add = "0";          // added to every offset, as typed
    std::vector<std::string> walls; // the wall lengths as typed, in order along the run
    bool wrap = false;              // offsets reduced into 0 up to the texture width
    bool whole = false;             // whole-number offsets, as level formats store them
    bool operator==(const Run&) const = default;
};

// The offset text of each wall of the run, in order: one for each of the
// first maxRunWalls walls that are not blank. Each text is read as a size
// field reads its own, a number or arithmetic. Every offset reads "Error" when
// the texture, add or any wall is not a number, or a value is out of the
// single range; every offset is empty on a row outside 0 to 4.
//
// With S(j) the lengths of the walls before wall j, the run's offset O is the
// main window's offset of row for the texture and the whole run's length, or,
// on wall k, the offset for wall k's own length minus S(k), so that wall k
// shows what the main window shows for it alone; `on` past the last wall
// counts as the whole run. Each offset is O + S(j) + add, in double from the
// singles the texts give, rounded once to single at the end. With whole, each
// length is first rounded to a whole number, and so is each offset; with
// wrap and a texture width T above 0, each offset is then reduced into 0 up
// to T, and one that rounds to T shows as 0. Ties go to the even number.
std::vector<std::string> RunResults(const Run& run);

// The texts of the walls that count, as typed.
std::vector<std::string> CountedWalls(const Run& run);

// What the run's note says: the first entry that is not a number ("Texture
// is not a number", "Add is not a number", "Wall 3 is not a number", walls
// counted as RunResults counts them), else that walls past the limit do not
// count, else nothing.
std::string RunNote(const Run& run);

// The text of an offset worked out in double: rounded to a whole number first
// with whole, then with wrap and texture above 0 reduced into 0 up to the
// texture width (one that rounds to the width shows as 0), then rounded once to
// single. Throws calc::Failure beyond the single range.
std::string OffsetText(double value, double texture, bool wrap, bool whole);

// The lengths of walls typed or pasted: one a line, and also a row of cells
// (tab-separated) or a list separated by ";", each length as it was typed.
std::vector<std::string> WallsOf(std::string_view text);

} // namespace core
