// The calculator window's commands and its words: the menus, each command's
// caption, access key, shortcut and tooltip, and what each control tells a
// person who hovers over it or reaches it with a screen reader. Both windows
// build their menus, keys and tooltips by looping over these tables.
#pragma once

#include "core/layout.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace core {

// In the order of the table below.
enum class Command {
    copyX,
    copyZ,
    fcCopyX,
    fcCopyZ,
    runOfWalls,
    wrap,
    textureFile,
    onTop,
    quit,
    about,
    copyNext,
    copyAll,
};

struct Menu {
    std::string_view name, caption;
};
inline constexpr std::array menus{Menu{"mnuCalc", "&Calculator"}, Menu{"mnuHelp", "&Help"}};

struct CommandInfo {
    Command command;
    std::string_view name;
    int menu;                 // index into menus; -1: a key of the Run of Walls window
    std::string_view caption; // "&" marks the access key
    char key;                 // the shortcut is Ctrl and this letter; 0 for none
    bool separatorAfter;      // a separator follows it in its menu
    bool checkable;
    std::string_view tooltip;
    bool shift = false; // the shortcut is Ctrl+Shift and the letter
};

inline constexpr std::array commands{
    CommandInfo{Command::copyX, "mnuCopyX", 0, "Copy &X Offset (Wall)", 'X', false, false,
                "Copies the wall X offset"},
    CommandInfo{Command::copyZ, "mnuCopyZ", 0, "Copy &Z Offset (Wall)", 'Z', true, false,
                "Copies the wall Z offset"},
    CommandInfo{Command::fcCopyX, "mnuFCCopyX", 0, "Copy &X Offset (F/C)", 'W', false, false,
                "Copies the floor/ceiling X offset"},
    CommandInfo{Command::fcCopyZ, "mnuFCCopyZ", 0, "Copy &Z Offset (F/C)", 'Y', true, false,
                "Copies the floor/ceiling Z offset"},
    CommandInfo{Command::runOfWalls, "mnuRunOfWalls", 0, "Run of &Walls...", 'R', false, false,
                "Works out the offsets of a run of connected walls"},
    CommandInfo{Command::wrap, "mnuWrap", 0, "Wrap Offsets into the Texture", 0, true, true,
                "Shows each wall offset reduced into 0 up to its texture size"},
    CommandInfo{Command::textureFile, "mnuTextureFile", 0, "Texture Sizes from &File...", 'O',
                false, false, "Takes Text X and Text Z from a texture file's width and height"},
    CommandInfo{Command::onTop, "mnuOnTop", 0, "Keep on &Top", 'T', true, true,
                "Keeps the window above other windows"},
    CommandInfo{Command::quit, "mnuQuit", 0, "&Quit", 'Q', false, false,
                "Saves the sizes and the window's place, and ends Varnel"},
    CommandInfo{Command::about, "About", 1, "&About", 0, false, false,
                "Shows the version and the license"},
    CommandInfo{Command::copyNext, "cmdCopyNext", -1, "Copy &Next", 'N', false, false,
                "Copies the offset of the next wall, from wall 1 after any change"},
    CommandInfo{Command::copyAll, "cmdCopyAll", -1, "Copy &All", 'C', false, false,
                "Copies every offset, one a line", true},
};

static_assert([] {
    for (std::size_t i = 0; i < commands.size(); ++i)
        if (commands[i].command != static_cast<Command>(i))
            return false;
    return true;
}());

constexpr const CommandInfo& InfoOf(Command command) {
    return commands[static_cast<std::size_t>(command)];
}

// The copy command that a Copy button gives, or nothing for another control.
std::optional<Command> CommandOf(const layout::Control& button);

// A command's shortcut as menus show it ("Ctrl+X"), or nothing.
std::string ShortcutText(Command command);

// Why Keep on Top is off where the desktop cannot keep a window on top.
inline constexpr std::string_view onTopOffTip =
    "Wayland lets no program keep its window above the others";

// The title of the dialog that picks a texture file.
inline constexpr std::string_view textureDialogTitle = "Texture Sizes from File";

// The file dialog's filters: the image files Varnel reads sizes from (their
// patterns, "*.png" and so on, from the texture reader's own list of
// suffixes), and all files.
inline constexpr std::string_view imagesFilter = "Images";
inline constexpr std::string_view allFilesFilter = "All files";

// What a control is (its accessible name: "Wall X size") and how to use it.
// Empty for controls that say nothing of their own, such as captions.
struct Description {
    std::string name, description;
};
Description Describe(const layout::Control& control);

// A control's tooltip: its name and description as one sentence or two.
std::string Tooltip(const layout::Control& control);

// The tooltip of row (0 to 4) of an alignment list: the row's formula in words.
std::string RowTooltip(const layout::Control& list, int row);

} // namespace core
