// probe: what the running calculator window shows, for the end-to-end test,
// one tab-separated line per control: name, text, enabled or disabled, the
// selection (a list's row, a field's selected characters), the centre on the
// screen, shown or hidden, the rectangle on the screen, and for a list whether
// the screen shows a frame in the selection's colour on its border. Then the
// window's frame, keep-on-top and client size, the focused control, the
// tooltip (its text, shown or hidden), the About window while it is open, and
// the Run of Walls window once it is made: its controls (a list's rows are
// its text, one after another), and its frame, shown or hidden and owner.
#include "win32/controls.h"

#include <windows.h>

#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <string>

namespace {

// text with each CR shown as \r and each LF as \n, on one line.
std::string Escaped(const std::wstring& text) {
    std::wstring one;
    for (const wchar_t c : text)
        one += c == L'\r' ? L"\\r" : c == L'\n' ? L"\\n" : std::wstring(1, c);
    char utf8[4096] = {};
    WideCharToMultiByte(CP_UTF8, 0, one.c_str(), -1, utf8, sizeof utf8 - 1, nullptr, nullptr);
    return utf8;
}

std::string Text(HWND window) {
    wchar_t text[512] = {};
    SendMessageW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    return Escaped(text);
}

// The clipboard's text as Windows programs read it.
std::string Clipboard() {
    std::string text;
    if (!OpenClipboard(nullptr))
        return text;
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT))
        if (const auto* wide = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = Escaped(wide);
            GlobalUnlock(data);
        }
    CloseClipboard();
    return text;
}

std::string Name(HWND control) {
    return std::string(win32::NameOf(GetDlgCtrlID(control)));
}

// A list's rows, joined by "|".
std::string Rows(HWND list) {
    std::string rows;
    const auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT row = 0; row < count; ++row) {
        wchar_t text[256] = {};
        char utf8[768] = {};
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text));
        WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
        if (row > 0)
            rows += '|';
        rows += utf8;
    }
    return rows;
}

std::string Selection(HWND control, const std::wstring& type) {
    if (type == L"ListBox")
        return std::to_string(SendMessageW(control, LB_GETCURSEL, 0, 0));
    if (type == L"Button" &&
        (GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK) == BS_AUTOCHECKBOX)
        return SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? "checked" : "unchecked";
    if (type != L"Edit" && type != L"ComboBox")
        return "";
    const LRESULT selected =
        SendMessageW(control, type == L"Edit" ? EM_GETSEL : CB_GETEDITSEL, 0, 0);
    return std::to_string(LOWORD(selected)) + ":" + std::to_string(HIWORD(selected));
}

// Whether the pixels just inside the edge of r, in the middle of each side,
// are all in the selection's colour, as the screen shows them. (A list's
// outermost row of pixels lies under the caption above it.)
bool Framed(const RECT& r) {
    const HDC screen = GetDC(nullptr);
    const COLORREF colour = GetSysColor(COLOR_HIGHLIGHT);
    const int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
    bool framed = true;
    for (const POINT p :
         {POINT{x, r.top + 1}, POINT{x, r.bottom - 2}, POINT{r.left + 1, y}, POINT{r.right - 2, y}})
        framed = framed && GetPixel(screen, p.x, p.y) == colour;
    ReleaseDC(nullptr, screen);
    return framed;
}

BOOL CALLBACK Print(HWND control, LPARAM window) {
    wchar_t name[16] = {};
    GetClassNameW(control, name, 16);
    const std::wstring type = name;
    RECT r{};
    GetWindowRect(control, &r);
    if (GetParent(control) == reinterpret_cast<HWND>(window))
        std::printf("%s\t%s\t%s\t%s\t%ld %ld\t%s\t%ld %ld %ld %ld\t%s\n", Name(control).c_str(),
                    (type == L"ListBox" ? Rows(control) : Text(control)).c_str(),
                    IsWindowEnabled(control) ? "enabled" : "disabled",
                    Selection(control, type).c_str(), (r.left + r.right) / 2,
                    (r.top + r.bottom) / 2, IsWindowVisible(control) ? "shown" : "hidden", r.left,
                    r.top, r.right, r.bottom,
                    type != L"ListBox" ? ""
                    : Framed(r)        ? "framed"
                                       : "plain");
    return TRUE;
}

// The tooltip window the calculator window owns.
HWND Tips(HWND window) {
    HWND tips = nullptr;
    while ((tips = FindWindowExW(nullptr, tips, L"tooltips_class32", nullptr)) != nullptr)
        if (GetWindow(tips, GW_OWNER) == window)
            return tips;
    return nullptr;
}

} // namespace

int main() {
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    _setmode(_fileno(stdout), _O_BINARY); // no CR before each LF
    const HWND window = FindWindowW(L"Varnel", nullptr);
    if (window == nullptr)
        return 1;
    EnumChildWindows(window, Print, reinterpret_cast<LPARAM>(window));
    RECT r{}, client{};
    GetWindowRect(window, &r);
    GetClientRect(window, &client);
    const auto topmost = [](HWND w) { return GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_TOPMOST; };
    std::printf("window\t%ld %ld %ld %ld\t%s\t%ld %ld\n", r.left, r.top, r.right, r.bottom,
                topmost(window) ? "topmost" : "normal", client.right, client.bottom);
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &gui);
    const HWND focus = Name(gui.hwndFocus).empty() ? GetParent(gui.hwndFocus) : gui.hwndFocus;
    std::printf("focus\t%s\n", Name(focus).c_str());
    if (const HWND tips = Tips(window))
        std::printf("tooltip\t%s\t%s\n", Text(tips).c_str(),
                    IsWindowVisible(tips) ? "shown" : "hidden");
    if (const HWND about = FindWindowW(nullptr, L"About Varnel.exe")) {
        std::printf("about\t%s\t%s\n", IsWindowEnabled(window) ? "modeless" : "modal",
                    topmost(about) ? "topmost" : "normal");
        for (HWND c = GetWindow(about, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT))
            std::printf("about\t%s\n", Text(c).c_str());
    }
    std::printf("clipboard\t%s\n", Clipboard().c_str());
    if (const HWND run = FindWindowW(L"VarnelRun", nullptr)) {
        EnumChildWindows(run, Print, reinterpret_cast<LPARAM>(run));
        GetWindowRect(run, &r);
        std::printf("run\t%ld %ld %ld %ld\t%s\t%s\n", r.left, r.top, r.right, r.bottom,
                    IsWindowVisible(run) ? "shown" : "hidden",
                    GetWindow(run, GW_OWNER) == window ? "owned" : "unowned");
    }
    return 0;
}
