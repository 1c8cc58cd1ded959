// The ids of the controls of both windows: each window creates the parts of
// its table in the shared layout in their order, the calculator window's with
// firstId plus its index, the Run of Walls window's with runFirstId plus its
// index, and the end-to-end test's probe reads their names back by id.
#pragma once

#include "core/layout.h"

#include <span>
#include <string_view>

namespace win32 {

// Ids start above 1001, a combo box's own edit field, and above IDOK and IDCANCEL.
inline constexpr int firstId = 1100;
// The note that says what a command did, shown for a moment beside its control.
inline constexpr int noteId = firstId + static_cast<int>(core::layout::parts.size());
inline constexpr std::string_view noteName = "note";
inline constexpr int runFirstId = 1200;
inline constexpr int runNoteId = runFirstId + static_cast<int>(core::layout::runParts.size());
inline constexpr std::string_view runNoteName = "runNote";
static_assert(noteId < runFirstId, "the two windows' ids must not meet");

// The parts of the window whose controls' ids start at first.
constexpr std::span<const core::layout::Part> PartsFrom(int first) {
    if (first == firstId)
        return core::layout::parts;
    return core::layout::runParts;
}

constexpr int IdOf(const core::layout::Control& control) {
    for (const int first : {firstId, runFirstId})
        for (std::size_t i = 0; i < PartsFrom(first).size(); ++i)
            if (PartsFrom(first)[i].control == &control)
                return first + static_cast<int>(i);
    return 0;
}

// The part whose control has id, in either window, or nothing.
constexpr const core::layout::Part* PartOf(int id) {
    for (const int first : {firstId, runFirstId})
        if (const int i = id - first; i >= 0 && i < static_cast<int>(PartsFrom(first).size()))
            return &PartsFrom(first)[static_cast<std::size_t>(i)];
    return nullptr;
}

// The name of the control with id, or an empty name.
constexpr std::string_view NameOf(int id) {
    if (id == noteId || id == runNoteId)
        return id == noteId ? noteName : runNoteName;
    const core::layout::Part* part = PartOf(id);
    return part != nullptr ? part->control->name : std::string_view{};
}

} // namespace win32
