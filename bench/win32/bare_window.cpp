// The yardstick for varnel.exe's start-up: a plain Win32 window of the same
// size with a menu, and nothing of Varnel's.
#include <windows.h>

namespace {

LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    WNDCLASSW type{};
    type.lpfnWndProc = Proc;
    type.hInstance = instance;
    type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    type.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    type.lpszClassName = L"BareWindow";
    RegisterClassW(&type);
    const HMENU menu = CreateMenu();
    AppendMenuW(menu, MF_STRING, 1, L"&File");
    const HWND window =
        CreateWindowExW(0, L"BareWindow", L"BareWindow", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                        34, 23, 477, 488, nullptr, menu, instance, nullptr);
    ShowWindow(window, show);
    UpdateWindow(window);
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
