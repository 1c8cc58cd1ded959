// The program entry on Windows: the command line, where the settings live,
// the calculator window and the message loop.
#include "core/options.h"
#include "settings/profile.h"
#include "win32/look.h"
#include "win32/window.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <cwchar>
#include <optional>
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

// The words after the program's name, in UTF-8, as Windows programs split a
// command line. arguments is what follows the name; the shell's DLL that
// splits it is only loaded when there is something to split, so an ordinary
// start does not wait for it.
std::vector<std::string> Words(const wchar_t* arguments) {
    std::vector<std::string> words;
    if (arguments[wcsspn(arguments, L" \t")] == L'\0')
        return words;
    const auto split =
        win32::Late<decltype(CommandLineToArgvW)>(L"shell32.dll", "CommandLineToArgvW");
    int count = 0;
    wchar_t** all = split == nullptr ? nullptr : split(GetCommandLineW(), &count);
    for (int i = 1; i < count; ++i)
        words.push_back(win32::Narrow(all[i]));
    LocalFree(all);
    // Arguments that cannot be split are not ignored: the run refuses them.
    return words.empty() ? std::vector<std::string>{win32::Narrow(arguments)} : words;
}

// Writes text where handle leads and says whether it got there: to a console
// as UTF-16, so every character shows whatever its code page; to a file or a
// pipe as the UTF-8 bytes, for a script to read.
bool WriteTo(HANDLE handle, const std::string& text) {
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE)
        return false;
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(handle, &mode)) {
        const std::wstring wide = win32::Wide(text);
        return WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written,
                             nullptr) != 0;
    }
    return WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) != 0;
}

// Shows a reply where whoever started the program sees it. A program with a
// window has no console of its own: its standard output or error when they
// lead somewhere (redirected, or a pipe as under Wine); else the console of
// the program that started it, such as cmd or PowerShell; else, started from
// Explorer or a shortcut, a message box.
void Tell(const core::Reply& reply) {
    if (WriteTo(GetStdHandle(reply.error ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE), reply.text))
        return;
    if (AttachConsole(ATTACH_PARENT_PROCESS)) {
        const HANDLE console =
            CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        const bool written = WriteTo(console, reply.text);
        if (console != INVALID_HANDLE_VALUE)
            CloseHandle(console);
        FreeConsole();
        if (written)
            return;
    }
    MessageBoxW(nullptr, win32::Wide(reply.text).c_str(), L"Varnel",
                static_cast<UINT>(MB_OK | (reply.error ? MB_ICONERROR : MB_ICONINFORMATION)));
}

// Answers --help, --version and a command line that is refused, without a
// window; nothing when the command line asks for the window.
std::optional<int> Answered(const wchar_t* arguments) {
    const core::Options options = core::ReadOptions(Words(arguments));
    if (options.ask == core::Ask::Window)
        return std::nullopt;
    std::wstring file = options.ask == core::Ask::Help ? SettingsFiles().write : std::wstring();
    // The same file, spelled as Explorer and cmd show paths.
    std::replace(file.begin(), file.end(), L'/', L'\\');
    const core::Reply reply = core::ReplyTo(options, win32::Narrow(file));
    Tell(reply);
    return reply.status;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int show) {
    if (const std::optional<int> status = Answered(arguments))
        return *status;
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
