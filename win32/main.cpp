// The program entry on Windows: where the settings live, the calculator
// window and the message loop.
#include "settings/profile.h"
#include "win32/window.h"

#include <commctrl.h>

#include <string>
#include <vector>

namespace {

// A folder the system names in the environment, or nothing.
std::wstring Known(const wchar_t* variable) {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(variable, path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(path, length) : std::wstring();
}

// A copy in a folder the user can write keeps Varnel.ini beside itself; one
// under Program Files, or in a folder the user cannot write, keeps it in
// %APPDATA%\Varnel.
settings::Files SettingsFiles() {
    std::wstring program(32768, L'\0');
    program.resize(GetModuleFileNameW(nullptr, program.data(), static_cast<DWORD>(program.size())));
    const std::wstring folder = program.substr(0, program.find_last_of(L"\\/"));
    std::vector<std::wstring> installed;
    for (const wchar_t* programs : {L"ProgramFiles", L"ProgramFiles(x86)"}) {
        const std::wstring root = Known(programs);
        if (!root.empty() && folder.size() > root.size() && folder[root.size()] == L'\\' &&
            CompareStringOrdinal(folder.c_str(), static_cast<int>(root.size()), root.c_str(),
                                 static_cast<int>(root.size()), TRUE) == CSTR_EQUAL)
            installed.push_back(folder);
    }
    return settings::ChooseFiles(folder, Known(L"APPDATA") + L"\\Varnel\\Varnel.ini", installed);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    win32::Window window(instance, SettingsFiles());
    if (!window.Created())
        return 1;
    window.Show(show);
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!window.Translate(msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return static_cast<int>(msg.wParam);
}
