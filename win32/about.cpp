#include "win32/about.h"

#include "core/layout.h"
#include "varnel_version.h"
#include "win32/look.h"

#include <commctrl.h>

#include <string>

namespace win32 {
namespace {

namespace l = core::layout;

struct Shown {
    HFONT font;
    HICON icon = nullptr;
};

HWND Add(HWND dialog, const l::Control& control, const wchar_t* type, DWORD style, int id,
         const std::wstring& text, HFONT font) {
    const UINT dpi = GetDpiForWindow(dialog);
    const l::Box& box = control.box;
    const HWND added =
        CreateWindowExW(0, type, text.c_str(), WS_CHILD | WS_VISIBLE | style, Px(box.left, dpi),
                        Px(box.top, dpi), Px(box.width, dpi), Px(box.height, dpi), dialog,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    SendMessageW(added, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return added;
}

// A fixed place on the screen, wherever the main window is; above it whenever
// it keeps on top.
void Place(HWND dialog, UINT dpi) {
    const int x = Px(l::aboutLeft, dpi), y = Px(l::aboutTop, dpi);
    RECT frame{x, y, x + Px(l::aboutWidth, dpi), y + Px(l::aboutHeight, dpi)};
    AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE)),
                             FALSE, static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE)),
                             dpi);
    const bool onTop = (GetWindowLongPtrW(GetParent(dialog), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    SetWindowPos(dialog, onTop ? HWND_TOPMOST : HWND_TOP, frame.left, frame.top,
                 frame.right - frame.left, frame.bottom - frame.top, SWP_NOACTIVATE);
}

void Create(HWND dialog, Shown& shown) {
    const UINT dpi = GetDpiForWindow(dialog);
    SetWindowTextW(dialog, Wide(l::aboutTitle).c_str());
    const auto instance = GetModuleHandleW(nullptr);
    const auto icon = [instance](int size) {
        return static_cast<HICON>(
            LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, LR_SHARED));
    };
    SendMessageW(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon(32)));
    SendMessageW(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon(16)));

    // In order of creation: OK is the one control that takes the focus.
    shown.icon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                               MulDiv(32, static_cast<int>(dpi), 96),
                                               MulDiv(32, static_cast<int>(dpi), 96), 0));
    const HWND picture = Add(dialog, l::picIcon, WC_STATICW, SS_ICON | SS_CENTERIMAGE | SS_SUNKEN,
                             -1, L"", shown.font);
    SendMessageW(picture, STM_SETICON, reinterpret_cast<WPARAM>(shown.icon), 0);
    Add(dialog, l::cmdOK, WC_BUTTONW, WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, Wide(l::cmdOK.text),
        shown.font);
    for (const l::Control* text : {&l::aboutLabel1, &l::lblDescription, &l::lblTitle})
        Add(dialog, *text, WC_STATICW, SS_LEFT | SS_NOPREFIX, -1, Wide(text->text), shown.font);
    // The engraved rule: a line in the shadow colour over one in the light colour.
    const int left = Px(l::aboutRule.x1, dpi);
    CreateWindowExW(0, WC_STATICW, L"", WS_CHILD | WS_VISIBLE | SS_ETCHEDHORZ, left,
                    Px(l::aboutRule.y1, dpi), Px(l::aboutRule.x2, dpi) - left, 2, dialog, nullptr,
                    nullptr, nullptr);
    Add(dialog, l::lblVersion, WC_STATICW, SS_LEFT | SS_NOPREFIX, -1,
        Wide(l::lblVersion.text) + L' ' + Wide(varnel::version), shown.font);
    SetFocus(GetDlgItem(dialog, IDOK));
    Place(dialog, dpi);
}

INT_PTR CALLBACK Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* shown = reinterpret_cast<Shown*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        Create(dialog, *reinterpret_cast<Shown*>(lParam));
        return FALSE; // the focus is set
    case WM_COMMAND:
        // OK is both the default and the cancel button; the close box cancels.
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)
            EndDialog(dialog, IDOK);
        return TRUE;
    case WM_DESTROY:
        DestroyIcon(shown->icon);
        return FALSE;
    default:
        return FALSE;
    }
}

} // namespace

void ShowAbout(HWND owner, HFONT font) {
    // An empty dialog template: the controls are made on showing, at the DPI
    // of the monitor.
    struct alignas(4) Template {
        DLGTEMPLATE dialog;
        WORD menu, type, title;
    };
    const Template empty{
        {WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, 0, 0, 0, 0, 0}, 0, 0, 0};
    Shown shown{font};
    DialogBoxIndirectParamW(GetModuleHandleW(nullptr), &empty.dialog, owner, Proc,
                            reinterpret_cast<LPARAM>(&shown));
}

} // namespace win32
