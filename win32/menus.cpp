#include "win32/menus.h"

#include "win32/look.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace win32 {
namespace {

namespace l = core::layout;

// A menu item's id is firstCommand plus its command's index; its key's id is
// that plus keyOffset.
constexpr int firstCommand = 200;
constexpr int keyOffset = 100;

UINT IdOf(core::Command command) {
    return static_cast<UINT>(firstCommand + static_cast<int>(command));
}

} // namespace

HMENU MakeMenus() {
    const HMENU bar = CreateMenu();
    for (std::size_t m = 0; m < core::menus.size(); ++m) {
        const HMENU popup = CreatePopupMenu();
        for (const core::CommandInfo& info : core::commands) {
            if (info.menu != static_cast<int>(m))
                continue;
            const std::string keys = core::ShortcutText(info.command);
            const std::string caption(info.caption);
            AppendMenuW(popup, MF_STRING, IdOf(info.command),
                        Wide(keys.empty() ? caption : caption + '\t' + keys).c_str());
            if (info.separatorAfter)
                AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
        }
        AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup),
                    Wide(core::menus[m].caption).c_str());
    }
    return bar;
}

HACCEL MakeKeys(bool runWindow) {
    std::vector<ACCEL> keys;
    for (const core::CommandInfo& info : core::commands)
        if (info.key != 0 && (info.menu < 0) == runWindow)
            keys.push_back({static_cast<BYTE>(FVIRTKEY | FCONTROL | (info.shift ? FSHIFT : 0)),
                            static_cast<WORD>(info.key),
                            static_cast<WORD>(IdOf(info.command) + keyOffset)});
    return CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size()));
}

std::optional<Given> CommandOf(int id) {
    const bool fromKey = id >= firstCommand + keyOffset;
    const int index = id - firstCommand - (fromKey ? keyOffset : 0);
    if (index < 0 || index >= static_cast<int>(core::commands.size()))
        return std::nullopt;
    return Given{core::commands[static_cast<std::size_t>(index)].command, fromKey};
}

core::Command CommandOf(const l::Control& button) {
    return *core::CommandOf(button);
}

void ShowCommands(HMENU menu, const core::Model& model) {
    for (const core::CommandInfo& info : core::commands) {
        const UINT id = IdOf(info.command);
        const UINT enabled = model.Enabled(info.command) ? MF_ENABLED : MF_GRAYED;
        EnableMenuItem(menu, id, MF_BYCOMMAND | enabled);
        if (info.checkable)
            CheckMenuItem(menu, id, model.Checked(info.command) ? MF_CHECKED : MF_UNCHECKED);
    }
}

} // namespace win32
