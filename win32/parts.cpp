#include "win32/parts.h"

#include "core/layout.h"
#include "core/window.h"
#include "win32/controls.h"

#include <commctrl.h>

#include <algorithm>

namespace win32 {
namespace {

namespace l = core::layout;
using l::Kind;

struct Style {
    const wchar_t* type;
    DWORD style, extended;
};

// How each kind of control is made. A result tells of the pointer, for its
// tooltip.
Style StyleOf(Kind kind) {
    switch (kind) {
    case Kind::heading:
    case Kind::title:
        return {WC_STATICW, SS_CENTER | SS_NOPREFIX, 0};
    case Kind::caption:
        return {WC_STATICW, SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0};
    case Kind::letter:
        return {WC_STATICW, SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX, 0};
    case Kind::result:
        return {WC_STATICW, SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX | SS_NOTIFY, WS_EX_STATICEDGE};
    case Kind::list:
        return {WC_LISTBOXW, WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE};
    case Kind::size:
        return {WC_COMBOBOXW, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0};
    case Kind::field:
        return {WC_EDITW, WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case Kind::button:
        return {WC_BUTTONW, WS_TABSTOP | BS_PUSHBUTTON, 0};
    case Kind::choice:
        return {WC_COMBOBOXW, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0};
    case Kind::check:
        return {WC_BUTTONW, WS_TABSTOP | BS_AUTOCHECKBOX, 0};
    case Kind::lines:
        return {WC_EDITW, WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
                WS_EX_CLIENTEDGE};
    case Kind::offsets:
        return {WC_LISTBOXW, WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                WS_EX_CLIENTEDGE};
    }
    return {WC_STATICW, 0, 0};
}

// A frame in the selection's colour over the list's border.
void DrawFocusFrame(HWND list) {
    const HDC dc = GetWindowDC(list);
    RECT r{};
    GetWindowRect(list, &r);
    OffsetRect(&r, -r.left, -r.top);
    const int width = GetSystemMetricsForDpi(SM_CXEDGE, GetDpiForWindow(list));
    for (int i = 0; i < width; ++i, InflateRect(&r, -1, -1))
        FrameRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
    ReleaseDC(list, dc);
}

// A Win32 list shows its focus only by a dotted line round one row, which a
// selected row's colour all but hides: a focused alignment list has a frame
// in the selection's colour over its border instead.
LRESULT CALLBACK ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                          DWORD_PTR) {
    const LRESULT result = DefSubclassProc(list, message, wParam, lParam);
    if (message == WM_SETFOCUS || message == WM_KILLFOCUS)
        RedrawWindow(list, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
    else if (message == WM_NCPAINT && GetFocus() == list)
        DrawFocusFrame(list);
    return result;
}

// The wheel changes a size list only while it has the focus.
// Subclass 0 is the list itself, 1 its edit field.
LRESULT CALLBACK SizeProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR which,
                          DWORD_PTR) {
    if (message == WM_MOUSEWHEEL) {
        const HWND list = which == 0 ? control : GetParent(control);
        const HWND focus = GetFocus();
        if (focus != list && GetParent(focus) != list)
            return 0;
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

} // namespace

HWND MakePart(HWND window, const l::Part& part, int id, UINT dpi) {
    const Style made = StyleOf(part.kind);
    const l::Box& box = part.control->box;
    const HWND control =
        CreateWindowExW(made.extended, made.type, Wide(part.control->text).c_str(),
                        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | made.style, Px(box.left, dpi),
                        Px(box.top, dpi), Px(box.width, dpi), Px(box.height, dpi), window,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    const auto add = [control](UINT message, std::string_view row) {
        SendMessageW(control, message, 0, reinterpret_cast<LPARAM>(Wide(row).c_str()));
    };
    const auto limit = static_cast<WPARAM>(core::Model::Limit(*part.control));
    if (part.kind == Kind::list) {
        for (const std::string_view row : part.control == &l::lstPosZ ? l::rowsZ : l::rowsX)
            add(LB_ADDSTRING, row);
        SetWindowSubclass(control, ListProc, 0, 0);
    } else if (part.kind == Kind::size) {
        for (const std::string_view row : l::sizes)
            add(CB_ADDSTRING, row);
        SendMessageW(control, CB_SETMINVISIBLE, l::sizes.size(), 0);
        SendMessageW(control, CB_LIMITTEXT, limit, 0);
        SetWindowSubclass(control, SizeProc, 0, 0);
        SetWindowSubclass(EditOf(control), SizeProc, 1, 0);
    } else if (part.kind == Kind::field || part.kind == Kind::lines) {
        SendMessageW(control, EM_LIMITTEXT, limit, 0);
    } else if (part.kind == Kind::choice) {
        SendMessageW(control, CB_SETMINVISIBLE, 12, 0);
    }
    return control;
}

void FitPart(HWND control, const l::Part& part, const Fonts& fonts, UINT dpi) {
    const Kind kind = part.kind;
    const HFONT font = kind == Kind::heading                          ? fonts.heading
                       : kind == Kind::letter || kind == Kind::result ? fonts.large
                       : kind == Kind::offsets                        ? fonts.fixed
                                                                      : fonts.normal;
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (kind == Kind::list) {
        RECT inside{};
        GetClientRect(control, &inside);
        SendMessageW(control, LB_SETITEMHEIGHT, 0, static_cast<LPARAM>(inside.bottom / 5));
    } else if (kind == Kind::size || kind == Kind::choice) {
        RECT closed{};
        GetWindowRect(control, &closed);
        const auto item = SendMessageW(control, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
        SendMessageW(control, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1),
                     item + Px(part.control->box.height, dpi) - (closed.bottom - closed.top));
    } else if (kind == Kind::field) {
        SendMessageW(control, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
                     MAKELPARAM(Px(15, dpi), Px(15, dpi)));
    }
}

void LayOut(std::span<const HWND> controls, std::span<const l::Part> parts, const Fonts& fonts,
            UINT dpi) {
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const l::Box& box = parts[i].control->box;
        SetWindowPos(controls[i], nullptr, Px(box.left, dpi), Px(box.top, dpi), Px(box.width, dpi),
                     Px(box.height, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
        FitPart(controls[i], parts[i], fonts, dpi);
    }
}

RECT Frame(int left, int top, int width, int height, bool menu, UINT dpi) {
    RECT frame{left, top, left + Px(width, dpi), top + Px(height, dpi)};
    AdjustWindowRectExForDpi(&frame, frameStyle, menu ? TRUE : FALSE, 0, dpi);
    OffsetRect(&frame, left - frame.left, top - frame.top);
    return frame;
}

void Register(HINSTANCE instance, const wchar_t* name, WNDPROC proc) {
    WNDCLASSEXW type{};
    type.cbSize = sizeof type;
    type.lpfnWndProc = proc;
    type.hInstance = instance;
    type.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    type.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                 GetSystemMetrics(SM_CXSMICON),
                                                 GetSystemMetrics(SM_CYSMICON), 0));
    type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    // The system's colours, so that high-contrast themes apply.
    type.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    type.lpszClassName = name;
    RegisterClassExW(&type);
}

void DrawLines(HDC dc, UINT dpi) {
    for (const l::Line* line : l::lines) {
        const int width = std::max(1, MulDiv(line->width, static_cast<int>(dpi), 96));
        const int left = Px(std::min(line->x1, line->x2), dpi);
        const int top = Px(std::min(line->y1, line->y2), dpi);
        const RECT rect{left, top,
                        line->x1 == line->x2 ? left + width : Px(std::max(line->x1, line->x2), dpi),
                        line->y1 == line->y2 ? top + width : Px(std::max(line->y1, line->y2), dpi)};
        FillRect(dc, &rect, GetSysColorBrush(COLOR_WINDOWTEXT));
    }
}

} // namespace win32
