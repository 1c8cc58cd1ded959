#include "core/commands.h"

#include "core/calculator.h"

#include <optional>

namespace core {
namespace {

namespace l = layout;

std::string Keys(Command command) {
    return ShortcutText(command);
}

std::string SizeHint() {
    return "Type the size in map units, or pick one from the list. Arithmetic such as 256-48 or "
           "3*64 works. To take a texture's width and height, drop its file on the window or "
           "press " +
           Keys(Command::textureFile) + ".";
}

std::string Typing() {
    return " Up to " + std::to_string(maxFieldLength) +
           " characters; arithmetic such as 256-48 works.";
}

std::string Position(char axis) {
    return std::string(
               "Type the point of the texture, in map units, that should land on the map ") +
           axis + " coordinate." + Typing();
}

std::string Coordinate(char axis) {
    return std::string("Type the map ") + axis +
           " coordinate, in map units, from -32775 to 32767." + Typing();
}

// A result and its copy button: what they hold, and the key that copies it.
struct Copied {
    const l::Control &result, &button;
    Command command;
    std::string_view what;
};
constexpr Copied copies[] = {
    {l::lblX, l::cmdCopyX, Command::copyX, "wall X offset"},
    {l::lblZ, l::cmdCopyZ, Command::copyZ, "wall Z offset"},
    {l::lblFCX, l::cmdFCCopyX, Command::fcCopyX, "floor/ceiling X offset"},
    {l::lblFCZ, l::cmdFCCopyZ, Command::fcCopyZ, "floor/ceiling Z offset"},
};

std::string Capitalised(std::string_view text) {
    std::string s(text);
    if (!s.empty() && s[0] >= 'a' && s[0] <= 'z')
        s[0] = static_cast<char>(s[0] - 'a' + 'A');
    return s;
}

std::optional<Description> DescribeCopy(const l::Control& control) {
    for (const Copied& c : copies) {
        const std::string keys = Keys(c.command);
        if (&control == &c.result)
            return Description{Capitalised(c.what), keys + " copies this value."};
        if (&control == &c.button)
            return Description{"Copy " + std::string(c.what),
                               "Copies the " + std::string(c.what) + ". Shortcut: " + keys + "."};
    }
    return std::nullopt;
}

} // namespace

std::optional<Command> CommandOf(const l::Control& button) {
    for (const Copied& c : copies)
        if (&button == &c.button)
            return c.command;
    for (const CommandInfo& info : commands) // the run window's buttons
        if (info.menu < 0 && info.name == button.name)
            return info.command;
    return std::nullopt;
}

std::string ShortcutText(Command command) {
    const char key = InfoOf(command).key;
    if (key == 0)
        return {};
    return std::string(InfoOf(command).shift ? "Ctrl+Shift+" : "Ctrl+") + key;
}

// The Run of Walls window's controls.
std::optional<Description> DescribeRun(const l::Control& control) {
    const struct {
        const l::Control& control;
        std::string_view name, description;
    } words[] = {
        {l::lstRunAlign, "Run alignment",
         "Choose where the texture sits along the whole run, or along the wall it is on."},
        {l::cmbRunOn, "Align on",
         "The whole run, or one wall of it, such as the wall above a door; the others follow."},
        {l::txtRunAdd, "Added offset",
         "Added to every offset. To carry on from the wall before the run, type that wall's "
         "offset plus its length as arithmetic, such as 13+45."},
        {l::txtRunWalls, "Wall lengths",
         "One length a line, in order along the run. Pasted cells, a row of them, or a list "
         "separated by ; give one wall a line."},
        {l::lstRunOffsets, "Offsets",
         "Each wall's number, length and offset. Click a row, or press Enter on it, to copy "
         "its offset."},
        {l::chkRunWhole, "Whole units",
         "Rounds each length and offset to a whole number, as level formats store them."},
        {l::chkRunWrap, "Wrap offsets into the texture",
         "Reduces each offset into 0 up to the texture width, here and in the main window."},
    };
    for (const auto& w : words)
        if (&control == &w.control)
            return Description{std::string(w.name), std::string(w.description)};
    if (&control == &l::cmbRunTexture)
        return Description{"Texture width", SizeHint()};
    for (const Command command : {Command::copyNext, Command::copyAll})
        if (control.name == InfoOf(command).name)
            return Description{Capitalised(l::PlainCaption(InfoOf(command).caption)),
                               std::string(InfoOf(command).tooltip) +
                                   ". Shortcut: " + Keys(command) + "."};
    return std::nullopt;
}

Description Describe(const l::Control& control) {
    if (&control == &l::lstPosX)
        return {"Wall X alignment", "Choose where the texture sits along the wall."};
    if (&control == &l::lstPosZ)
        return {"Wall Z alignment", "Choose where the texture sits up the wall."};
    const struct {
        const l::Control& field;
        std::string_view name;
    } sizes[] = {{l::cmbTextX, "Texture X size"},
                 {l::cmbTextZ, "Texture Z size"},
                 {l::cmbWallX, "Wall X size"},
                 {l::cmbWallZ, "Wall Z size"}};
    for (const auto& s : sizes)
        if (&control == &s.field)
            return {std::string(s.name), SizeHint()};
    if (&control == &l::txtFCTextX)
        return {"Texture position along X", Position('X')};
    if (&control == &l::txtFCTextZ)
        return {"Texture position along Z", Position('Z')};
    if (&control == &l::txtFCX)
        return {"Map X coordinate", Coordinate('X')};
    if (&control == &l::txtFCZ)
        return {"Map Z coordinate", Coordinate('Z')};
    if (auto run = DescribeRun(control))
        return *run;
    return DescribeCopy(control).value_or(Description{});
}

std::string Tooltip(const l::Control& control) {
    const Description d = Describe(control);
    return d.name.empty() ? std::string() : d.name + ". " + d.description;
}

std::string RowTooltip(const l::Control& list, int row) {
    const bool x = &list != &l::lstPosZ;
    const std::string near = x ? "left" : "bottom", far = x ? "right" : "top";
    switch (row) {
    case 0:
        return "Center on the " + near + " edge: offset = texture size / 2";
    case 1:
        return "Align " + near + " (the default): offset = 0";
    case 2:
        return "Center: offset = texture size / 2 \u2212 wall size / 2";
    case 3:
        return "Align " + far + ": offset = texture size \u2212 wall size";
    case 4:
        return "Center on the " + far + " edge: offset = wall size \u2212 texture size";
    default:
        return {};
    }
}

} // namespace core
