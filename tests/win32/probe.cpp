// probe: what the running calculator window shows, for the end-to-end test,
// one tab-separated line per control: name, text, enabled or disabled, the
// selection (a list's row, a field's selected characters), the centre on the
// screen, shown or hidden. Then the window's frame, keep-on-top and client
// size, the focused control, and the About window while it is open.
#include "win32/controls.h"

#include <windows.h>

#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <string>

namespace {

std::string Text(HWND window) {
    wchar_t text[512] = {};
    char utf8[1536] = {};
    SendMessageW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    return utf8;
}

std::string Name(HWND control) {
    return std::string(win32::NameOf(GetDlgCtrlID(control)));
}

BOOL CALLBACK Print(HWND control, LPARAM window) {
    wchar_t type[16] = {};
    GetClassNameW(control, type, 16);
    const LRESULT selected = SendMessageW(control, EM_GETSEL, 0, 0);
    const std::string selection =
        std::wstring(type) == L"ListBox" ? std::to_string(SendMessageW(control, LB_GETCURSEL, 0, 0))
        : std::wstring(type) == L"Edit"
            ? std::to_string(LOWORD(selected)) + ":" + std::to_string(HIWORD(selected))
            : "";
    RECT r{};
    GetWindowRect(control, &r);
    if (GetParent(control) == reinterpret_cast<HWND>(window))
        std::printf("%s\t%s\t%s\t%s\t%ld %ld\t%s\n", Name(control).c_str(), Text(control).c_str(),
                    IsWindowEnabled(control) ? "enabled" : "disabled", selection.c_str(),
                    (r.left + r.right) / 2, (r.top + r.bottom) / 2,
                    IsWindowVisible(control) ? "shown" : "hidden");
    return TRUE;
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
    const HWND focus =
        GetParent(gui.hwndFocus) == window ? gui.hwndFocus : GetParent(gui.hwndFocus);
    std::printf("focus\t%s\n", Name(focus).c_str());
    if (const HWND about = FindWindowW(nullptr, L"About Varnel.exe")) {
        std::printf("about\t%s\t%s\n", IsWindowEnabled(window) ? "modeless" : "modal",
                    topmost(about) ? "topmost" : "normal");
        for (HWND c = GetWindow(about, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT))
            std::printf("about\t%s\n", Text(c).c_str());
    }
    return 0;
}
