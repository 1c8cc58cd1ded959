#include "win32/note.h"

#include "core/layout.h"
#include "core/placement.h"
#include "win32/look.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

namespace win32 {
namespace {

namespace l = core::layout;

constexpr UINT_PTR hideTimer = 1;

core::Rect InParent(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

SIZE Extent(HDC dc, HFONT font, const std::wstring& text) {
    const HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    return size;
}

// What a note must not cover: every control, of a caption only its text (a
// caption's box is wider than its words), and the calculator window's lines
// between its sections.
std::vector<core::Rect> Taken(HDC dc, std::span<const HWND> controls,
                              std::span<const l::Part> parts, UINT dpi) {
    std::vector<core::Rect> taken;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        core::Rect rect = InParent(controls[i]);
        const l::Kind kind = parts[i].kind;
        if (kind == l::Kind::heading || kind == l::Kind::title || kind == l::Kind::caption ||
            kind == l::Kind::letter) {
            const auto font = reinterpret_cast<HFONT>(SendMessageW(controls[i], WM_GETFONT, 0, 0));
            const int words = Extent(dc, font, Text(controls[i])).cx;
            if (kind != l::Kind::caption)
                rect.left += (rect.width - words) / 2;
            rect.width = words;
        }
        taken.push_back(rect);
    }
    for (const l::Line* line : l::lines) {
        if (parts.data() != l::parts.data())
            break;
        const int left = Px(std::min(line->x1, line->x2), dpi);
        const int top = Px(std::min(line->y1, line->y2), dpi);
        taken.push_back({left, top, Px(std::max(line->x1, line->x2), dpi) - left + 2,
                         Px(std::max(line->y1, line->y2), dpi) - top + 2});
    }
    return taken;
}

void CALLBACK Hide(HWND note, UINT, UINT_PTR timer, DWORD) {
    KillTimer(note, timer);
    ShowWindow(note, SW_HIDE);
}

} // namespace

HWND CreateNote(HWND window, int id) {
    return CreateWindowExW(
        0, WC_STATICW, L"",
        WS_CHILD | WS_BORDER | WS_CLIPSIBLINGS | SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX, 0, 0, 0,
        0, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
}

void ShowNote(HWND note, HWND beside, std::string_view text, int milliseconds,
              std::span<const HWND> controls, std::span<const l::Part> parts, HFONT font,
              UINT dpi) {
    KillTimer(note, hideTimer); // a newer note starts its own time
    if (text.empty()) {
        ShowWindow(note, SW_HIDE);
        return;
    }
    const std::wstring shown = Wide(text);
    SetWindowTextW(note, shown.c_str());
    SendMessageW(note, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    const HWND window = GetParent(note);
    const HDC dc = GetDC(window);
    const SIZE size = Extent(dc, font, shown);
    const std::vector<core::Rect> taken = Taken(dc, controls, parts, dpi);
    ReleaseDC(window, dc);
    RECT client{};
    GetClientRect(window, &client);
    const core::Rect area{0, 0, client.right, client.bottom};
    const core::Rect at =
        core::NotePlace(InParent(beside), std::min<int>(size.cx + Px(120, dpi), client.right),
                        size.cy + Px(60, dpi), area, taken);
    SetWindowPos(note, HWND_TOP, at.left, at.top, at.width, at.height,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    InvalidateRect(note, nullptr, TRUE);
    NotifyWinEvent(EVENT_SYSTEM_ALERT, note, OBJID_CLIENT, CHILDID_SELF);
    if (milliseconds > 0)
        SetTimer(note, hideTimer, static_cast<UINT>(milliseconds), Hide);
}

std::wstring Shortened(HWND window, HFONT font, const std::wstring& name, int width) {
    std::wstring shown = name;
    const HDC dc = GetDC(window);
    for (std::size_t keep = name.size(); keep > 0 && Extent(dc, font, shown).cx > width;) {
        --keep;
        shown = name.substr(0, keep / 2) + L"\u2026" + name.substr(name.size() - (keep - keep / 2));
    }
    ReleaseDC(window, dc);
    return shown;
}

} // namespace win32
