// The calculator window's menu bar and shortcut keys, from the core's table of
// commands, and which command each menu item, key and Copy button gives.
#pragma once

#include "core/commands.h"
#include "core/window.h"

#include <windows.h>

#include <optional>

namespace win32 {

// The menu bar: each menu's commands in order, their shortcuts after a tab.
HMENU MakeMenus();

// The shortcut keys, Ctrl and a letter. Each sends an id that no menu item
// has, so that a key reaches the window even while its item is disabled.
HACCEL MakeKeys(bool runWindow = false);

// What a menu item's or a key's id gives: its command, and whether it came
// from a key. Nothing for any other id.
struct Given {
    core::Command command;
    bool fromKey;
};
std::optional<Given> CommandOf(int id);

// The command a Copy button gives.
core::Command CommandOf(const core::layout::Control& button);

// Enables and checks each item of menu as model has it.
void ShowCommands(HMENU menu, const core::Model& model);

} // namespace win32
