// probe [close]: what the running calculator window shows, for the end-to-end
// test, one tab-separated line per control: name, text, enabled or disabled,
// the selection (a list's row, a field's first and last selected character),
// and the centre on the screen. Then the window's frame and keep-on-top, the
// focused control, and the About window's texts while it is open. "close"
// asks the window to close, as its close box does.
#include "win32/controls.h"

#include <windows.h>

#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <string>

namespace {

std::string Utf8(HWND window) {
    wchar_t text[512] = {};
    SendMessageW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    char utf8[1536] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    return utf8;
}

std::string Selection(HWND control, std::string_view kind) {
    LRESULT packed = 0;
    if (kind == "ListBox")
        return std::to_string(SendMessageW(control, LB_GETCURSEL, 0, 0));
    if (kind == "ComboBox")
        packed = SendMessageW(control, CB_GETEDITSEL, 0, 0);
    else if (kind == "Edit")
        packed = SendMessageW(control, EM_GETSEL, 0, 0);
    return std::to_string(LOWORD(packed)) + ":" + std::to_string(HIWORD(packed));
}

BOOL CALLBACK Print(HWND control, LPARAM) {
    wchar_t kind[32] = {};
    GetClassNameW(control, kind, 32);
    const std::string type(kind, kind + wcslen(kind));
    const std::string_view name = win32::NameOf(GetDlgCtrlID(control));
    RECT r{};
    GetWindowRect(control, &r);
    if (!name.empty() && GetParent(control) == FindWindowW(L"Varnel", nullptr))
        std::printf("%s\t%s\t%s\t%s\t%ld %ld\t%s\n", std::string(name).c_str(),
                    Utf8(control).c_str(), IsWindowEnabled(control) ? "enabled" : "disabled",
                    Selection(control, type).c_str(), (r.left + r.right) / 2,
                    (r.top + r.bottom) / 2, IsWindowVisible(control) ? "shown" : "hidden");
    return TRUE;
}

} // namespace

int main(int argc, char* argv[]) {
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    _setmode(_fileno(stdout), _O_BINARY);
    const HWND window = FindWindowW(L"Varnel", nullptr);
    if (window == nullptr)
        return 1;
    if (argc > 1 && std::string(argv[1]) == "close")
        return PostMessageW(window, WM_CLOSE, 0, 0) ? 0 : 1;
    EnumChildWindows(window, Print, 0);
    RECT r{}, client{};
    GetWindowRect(window, &r);
    GetClientRect(window, &client);
    std::printf("window\t%ld %ld %ld %ld\t%s\t%ld %ld\n", r.left, r.top, r.right, r.bottom,
                GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST ? "topmost" : "normal",
                client.right, client.bottom);
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &gui);
    const HWND focus =
        GetParent(gui.hwndFocus) == window ? gui.hwndFocus : GetParent(gui.hwndFocus);
    std::printf("focus\t%s\n", std::string(win32::NameOf(GetDlgCtrlID(focus))).c_str());
    if (const HWND about = FindWindowW(nullptr, L"About Varnel.exe")) {
        std::printf("about\t%s\t%s\n", IsWindowEnabled(window) ? "modeless" : "modal",
                    GetWindowLongPtrW(about, GWL_EXSTYLE) & WS_EX_TOPMOST ? "topmost" : "normal");
        for (HWND c = GetWindow(about, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT))
            std::printf("about\t%s\n", Utf8(c).c_str());
    }
    return 0;
}
