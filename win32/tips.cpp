#include "win32/tips.h"

#include "core/commands.h"
#include "core/layout.h"
#include "win32/look.h"

#include <commctrl.h>

#include <string>

namespace win32 {
namespace {

namespace l = core::layout;

// How wide a tooltip grows before it wraps, in twips: a few words a line.
constexpr int tipWidth = 4500;

void Add(HWND tips, TTTOOLINFOW tool, const std::string& text) {
    std::wstring wide = Wide(text);
    tool.cbSize = sizeof tool;
    tool.uFlags |= TTF_SUBCLASS;
    tool.lpszText = wide.data(); // the tooltip keeps a copy
    SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

// A tool the size of control, which sees the pointer come and go.
void AddControl(HWND tips, HWND control, const std::string& text) {
    TTTOOLINFOW tool{};
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = GetParent(control);
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    Add(tips, tool, text);
}

// Each row of a list is a tool of its own: the tooltip changes as the
// pointer moves from row to row, and the list's rows never scroll.
TTTOOLINFOW Row(HWND list, int row) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = list;
    tool.uId = static_cast<UINT_PTR>(row);
    SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&tool.rect));
    return tool;
}

} // namespace

HWND CreateTips(HWND window, std::span<const HWND> controls, std::span<const l::Part> parts,
                UINT dpi) {
    const HWND tips = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX, 0, 0, 0,
                                      0, window, nullptr, nullptr, nullptr);
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const l::Part& part = parts[i];
        if (part.kind == l::Kind::list) {
            for (int row = 0; row < static_cast<int>(l::rowsX.size()); ++row)
                Add(tips, Row(controls[i], row), core::RowTooltip(*part.control, row));
            continue;
        }
        const std::string text = core::Tooltip(*part.control);
        if (text.empty())
            continue;
        AddControl(tips, controls[i], text);
        // A size list's own tool covers its drop-down button; its edit
        // field, which takes the rest, needs one of its own.
        if (part.kind == l::Kind::size)
            AddControl(tips, EditOf(controls[i]), text);
    }
    FitTips(tips, controls, parts, dpi);
    return tips;
}

void FitTips(HWND tips, std::span<const HWND> controls, std::span<const l::Part> parts, UINT dpi) {
    SendMessageW(tips, TTM_SETMAXTIPWIDTH, 0, Px(tipWidth, dpi));
    for (std::size_t i = 0; i < controls.size(); ++i)
        if (parts[i].kind == l::Kind::list)
            for (int row = 0; row < static_cast<int>(l::rowsX.size()); ++row) {
                const TTTOOLINFOW tool = Row(controls[i], row);
                SendMessageW(tips, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
            }
}

} // namespace win32
