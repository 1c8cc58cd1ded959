// The program entry on Windows: where the settings live, the calculator
// window and the message loop.
#include "settings/profile.h"
#include "win32/window.h"

#include <commctrl.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// A folder the system names in the environment, or an empty path.
fs::path Known(const wchar_t* variable) {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(variable, path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? fs::path(path) : fs::path();
}

// A copy in a folder the user can write keeps Varnel.ini beside itself; one
// under Program Files, or in a folder the user cannot write, keeps it in
// %APPDATA%\Varnel.
settings::Files SettingsFiles() {
    std::wstring program(32768, L'\0');
    program.resize(GetModuleFileNameW(nullptr, program.data(), static_cast<DWORD>(program.size())));
    const fs::path folder = fs::path(program).parent_path();
    std::vector<fs::path> installed;
    for (const wchar_t* programs : {L"ProgramFiles", L"ProgramFiles(x86)"}) {
        const std::wstring root = Known(programs).native();
        const std::wstring& here = folder.native();
        if (!root.empty() && here.size() > root.size() && here[root.size()] == L'\\' &&
            CompareStringOrdinal(here.c_str(), static_cast<int>(root.size()), root.c_str(),
                                 static_cast<int>(root.size()), TRUE) == CSTR_EQUAL)
            installed.push_back(folder);
    }
    return settings::ChooseFiles(folder, Known(L"APPDATA") / L"Varnel" / L"Varnel.ini", installed);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
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
