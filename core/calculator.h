// The calculator's rules, as every window that shows Varnel applies them: the
// text each result shows for the texts of its inputs, which controls an
// alignment enables, and the notes the window gives.
#pragma once

#include <string>
#include <string_view>

namespace core {

// The most characters a floor/ceiling field takes.
inline constexpr int maxFieldLength = 8;

// The alignment row every wall axis starts on: align left or bottom, the
// level's own default, which needs no offset.
inline constexpr int defaultRow = 1;

// What an input field that the user empties is given instead, so that it
// counts as zero and the next key replaces it.
inline constexpr std::string_view emptyField = "0";

// The text a wall result shows: the offset for alignment row (0 to 4, or -1
// for none, which shows nothing) of the texture and wall sizes as typed, "0"
// on the default row whatever the sizes say, or "Error" when a size is not a
// number or the offset is out of range.
// With wrap, the offset is reduced into 0 up to the texture size, as a run's are.
std::string WallResult(int row, std::string_view texture, std::string_view wall, bool wrap = false);

// The text a floor/ceiling result shows: the offset on the 8-unit grid of the
// texture position and map coordinate as typed, or "Error".
std::string FloorResult(std::string_view position, std::string_view coordinate);

// Whether alignment row enables its wall axis: the sizes, their captions, the
// result and the axis's copy button and command. The default row disables
// them, as its offset is always 0.
constexpr bool AxisEnabled(int row) {
    return row != defaultRow;
}

// Text pasted into a field as the field takes it: without the blanks and line
// breaks at its ends, and with each run of line breaks inside it as one blank,
// so a number copied from a terminal or a spreadsheet cell works as it is.
std::string Pasted(std::string_view clipboard);

// The note that a copy has happened: "Copied 24", "Copied an empty result".
std::string CopiedNote(std::string_view copied);

// The note that a wall axis's copy key did nothing: "Nothing to copy: X is on
// its default row". axis is 'X' or 'Z'.
std::string NothingToCopyNote(char axis);

// The note that a paste was refused for being longer than the limit of the
// field: "At most 8 characters".
std::string TooLongNote(int limit);

// The note that a file gave no texture sizes.
std::string NotAnImageNote(std::string_view fileName);

} // namespace core
