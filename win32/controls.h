// The ids of the calculator window's controls: the window creates the parts of
// the shared layout in their order, each with firstId plus its index, and the
// end-to-end test's probe reads their names back by id.
#pragma once

#include "core/layout.h"

#include <string_view>

namespace win32 {

// Ids start above 1001, a combo box's own edit field, and above IDOK and IDCANCEL.
inline constexpr int firstId = 1100;
// The note that says what a command did, shown for a moment beside its control.
inline constexpr int noteId = firstId + static_cast<int>(core::layout::parts.size());
inline constexpr std::string_view noteName = "note";

constexpr int IdOf(const core::layout::Control& control) {
    const core::layout::Part* part = core::layout::PartOf(control);
    return part == nullptr ? 0 : firstId + static_cast<int>(part - core::layout::parts.data());
}

// The part whose control has id, or nothing.
constexpr const core::layout::Part* PartOf(int id) {
    const int i = id - firstId;
    return i >= 0 && i < static_cast<int>(core::layout::parts.size())
               ? &core::layout::parts[static_cast<std::size_t>(i)]
               : nullptr;
}

// The name of the control with id, or an empty name.
constexpr std::string_view NameOf(int id) {
    if (id == noteId)
        return noteName;
    const core::layout::Part* part = PartOf(id);
    return part != nullptr ? part->control->name : std::string_view{};
}

} // namespace win32
