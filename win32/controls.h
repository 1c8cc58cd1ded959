// The controls of the calculator window, each with the id the window gives it:
// the window creates them from this table, and the end-to-end test's probe
// reads them back by name. Each field's caption comes right before it, so that
// screen readers name the field by it, and the fields come in the window's Tab
// order, which Windows takes from the order of creation.
#pragma once

#include "core/layout.h"

#include <array>
#include <string_view>

namespace win32 {

// How a control looks and what it does.
enum class Kind {
    heading, // bold and underlined, centred
    title,   // a section's title, centred
    caption, // a field's caption
    letter,  // an axis letter, in the larger font
    result,  // a result, in the larger font, framed
    list,    // an alignment list
    size,    // an editable size list
    field,   // a floor/ceiling field
    button,  // a copy button
};

struct Part {
    const core::layout::Control* control;
    Kind kind;
};

namespace l = core::layout;
inline constexpr std::array parts{
    Part{&l::Label17, Kind::heading},   Part{&l::Label1, Kind::title},
    Part{&l::lstPosX, Kind::list},      Part{&l::Label2, Kind::title},
    Part{&l::lstPosZ, Kind::list},      Part{&l::Label5, Kind::title},
    Part{&l::lblTextX, Kind::caption},  Part{&l::cmbTextX, Kind::size},
    Part{&l::lblTextZ, Kind::caption},  Part{&l::cmbTextZ, Kind::size},
    Part{&l::lblWallX, Kind::caption},  Part{&l::cmbWallX, Kind::size},
    Part{&l::lblWallZ, Kind::caption},  Part{&l::cmbWallZ, Kind::size},
    Part{&l::Label8, Kind::title},      Part{&l::Label9, Kind::letter},
    Part{&l::lblX, Kind::result},       Part{&l::cmdCopyX, Kind::button},
    Part{&l::Label10, Kind::letter},    Part{&l::lblZ, Kind::result},
    Part{&l::cmdCopyZ, Kind::button},   Part{&l::Label18, Kind::heading},
    Part{&l::Label14, Kind::title},     Part{&l::Label16, Kind::caption},
    Part{&l::txtFCTextX, Kind::field},  Part{&l::Label15, Kind::caption},
    Part{&l::txtFCTextZ, Kind::field},  Part{&l::Label13, Kind::caption},
    Part{&l::txtFCX, Kind::field},      Part{&l::Label12, Kind::caption},
    Part{&l::txtFCZ, Kind::field},      Part{&l::Label3, Kind::title},
    Part{&l::Label6, Kind::letter},     Part{&l::lblFCX, Kind::result},
    Part{&l::cmdFCCopyX, Kind::button}, Part{&l::Label4, Kind::letter},
    Part{&l::lblFCZ, Kind::result},     Part{&l::cmdFCCopyZ, Kind::button},
};

// Ids start above 1001, a combo box's own edit field, and above IDOK and IDCANCEL.
inline constexpr int firstId = 1100;
// The note that says what a command did, shown for a moment beside its control.
inline constexpr int noteId = firstId + static_cast<int>(parts.size());
inline constexpr std::string_view noteName = "note";

constexpr int IdOf(const core::layout::Control& control) {
    for (std::size_t i = 0; i < parts.size(); ++i)
        if (parts[i].control == &control)
            return firstId + static_cast<int>(i);
    return 0;
}

// The name of the control with id, or an empty name.
constexpr std::string_view NameOf(int id) {
    if (id == noteId)
        return noteName;
    const int i = id - firstId;
    return i >= 0 && i < static_cast<int>(parts.size())
               ? parts[static_cast<std::size_t>(i)].control->name
               : std::string_view{};
}

} // namespace win32
