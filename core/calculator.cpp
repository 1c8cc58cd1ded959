#include "core/calculator.h"

#include "calc/offsets.h"
#include "core/run.h"

#include <cstdint>

namespace core {
namespace {

float Number(std::string_view text) {
    return calc::TextToNumber(text);
}

} // namespace

std::string WallResult(int row, std::string_view texture, std::string_view wall, bool wrap) {
    if (row == defaultRow)
        return "0"; // no size is read: they may hold anything
    try {
        if (wrap && row >= 0 && row <= 4) {
            const float t = Number(texture);
            return OffsetText(*calc::WallOffsetValue(row, t, Number(wall)), t, true, false);
        }
        return calc::CalcWallOffset(static_cast<std::int16_t>(row), Number(texture), Number(wall));
    } catch (const calc::Failure&) {
        return "Error";
    }
}

std::string FloorResult(std::string_view position, std::string_view coordinate) {
    try {
        return calc::CalcFCOffset(Number(position), Number(coordinate));
    } catch (const calc::Failure&) {
        return "Error";
    }
}

std::string Pasted(std::string_view clipboard) {
    constexpr std::string_view blanks = " \t\v\f\r\n";
    const std::size_t first = clipboard.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    clipboard = clipboard.substr(first, clipboard.find_last_not_of(blanks) - first + 1);
    std::string pasted;
    for (std::size_t i = 0; i < clipboard.size(); ++i) {
        const bool lineBreak = clipboard[i] == '\r' || clipboard[i] == '\n';
        if (!lineBreak)
            pasted += clipboard[i];
        else if (i == 0 || (clipboard[i - 1] != '\r' && clipboard[i - 1] != '\n'))
            pasted += ' ';
    }
    return pasted;
}

std::string CopiedNote(std::string_view copied) {
    return copied.empty() ? "Copied an empty result" : "Copied " + std::string(copied);
}

std::string NothingToCopyNote(char axis) {
    return std::string("Nothing to copy: ") + axis + " is on its default row";
}

std::string TooLongNote(int limit) {
    return "At most " + std::to_string(limit) + " characters";
}

std::string NotAnImageNote(std::string_view fileName) {
    return "Not an image Varnel can read: " + std::string(fileName);
}

} // namespace core
