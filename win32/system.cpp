#include "win32/system.h"

#include "core/commands.h"
#include "core/window.h"
#include "win32/look.h"

#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>

namespace win32 {

std::optional<std::string> ClipboardText(HWND owner) {
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(owner))
        return std::nullopt;
    std::optional<std::string> text;
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = Narrow(chars);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void PutOnClipboard(HWND owner, std::string_view text) {
    if (!OpenClipboard(owner))
        return;
    EmptyClipboard();
    const std::wstring wide = Wide(Crlf(text));
    const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    if (const HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        if (void* into = GlobalLock(data)) {
            CopyMemory(into, wide.c_str(), bytes);
            GlobalUnlock(data);
        }
        if (SetClipboardData(CF_UNICODETEXT, data) == nullptr)
            GlobalFree(data);
    }
    CloseClipboard();
}

// Read through the system's own file calls: the standard library's would
// bring its locale machinery along. Only a file on disk counts, not a folder,
// a pipe or a device.
std::optional<core::TextureSize> TextureFileSize(const std::wstring& file) {
    const HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::optional<core::TextureSize> size;
    if (GetFileType(handle) == FILE_TYPE_DISK) {
        const core::ReadBytes read = [handle](std::uint64_t offset, char* into, std::size_t count) {
            OVERLAPPED at{};
            at.Offset = static_cast<DWORD>(offset);
            at.OffsetHigh = static_cast<DWORD>(offset >> 32);
            DWORD got = 0;
            const DWORD most = static_cast<DWORD>(std::min<std::size_t>(count, 1u << 30));
            return ReadFile(handle, into, most, &got, &at) ? std::size_t{got} : std::size_t{0};
        };
        size = core::ReadTextureSize(read, core::SuffixOf<wchar_t>(file));
    }
    CloseHandle(handle);
    return size;
}

namespace {

// The dialog's filters, each a name and its patterns, every string ended by a
// zero and the list by another.
std::wstring Filters() {
    std::wstring images;
    for (const std::string& pattern : core::ImagePatterns())
        images += (images.empty() ? L"" : L";") + Wide(pattern);
    const std::wstring all = L"*.*";
    std::wstring filters;
    for (const auto& [name, patterns] :
         {std::pair{Wide(core::imagesFilter), images}, std::pair{Wide(core::allFilesFilter), all}})
        filters += name + L" (" + patterns + L")" + L'\0' + patterns + L'\0';
    return filters;
}

} // namespace

// comdlg32 is loaded on first use: it brings in many more DLLs, which would
// delay the window's first paint.
std::wstring PickTextureFile(HWND owner, const std::wstring& folder) {
    std::wstring file(32768, L'\0');
    const std::wstring filters = Filters(), title = Wide(core::textureDialogTitle);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filters.c_str();
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrTitle = title.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    const auto open = Late<decltype(GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
    return open != nullptr && open(&dialog) ? std::wstring(file.c_str()) : std::wstring();
}

std::wstring DroppedFile(HDROP drop) {
    const auto query = Late<decltype(DragQueryFileW)>(L"shell32.dll", "DragQueryFileW");
    const auto finish = Late<decltype(DragFinish)>(L"shell32.dll", "DragFinish");
    if (query == nullptr || finish == nullptr)
        return {};
    std::wstring file(query(drop, 0, nullptr, 0) + 1, L'\0');
    file.resize(query(drop, 0, file.data(), static_cast<UINT>(file.size())));
    finish(drop);
    return file;
}

namespace {

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM screens) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info)) {
        const RECT& work = info.rcWork;
        reinterpret_cast<std::vector<core::Rect>*>(screens)->push_back(
            {work.left, work.top, work.right - work.left, work.bottom - work.top});
    }
    return TRUE;
}

} // namespace

std::vector<core::Rect> WorkAreas() {
    std::vector<core::Rect> screens;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&screens));
    return screens;
}

} // namespace win32
