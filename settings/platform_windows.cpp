// Windows: reading a file, and the temporary file, FlushFileBuffers and a
// write-through replacing move, the counterparts of the POSIX temporary file,
// fsync and rename.
#include "settings/platform.h"

#include <cstdint>
#include <random>
#include <string>

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// windows.h maps ReplaceFile to the Win32 ReplaceFileW; without this the
// function below would be defined under that name and never linked.
#undef ReplaceFile

namespace settings::platform {
namespace {

bool WriteAll(HANDLE handle, std::string_view content) {
    while (!content.empty()) {
        const DWORD chunk =
            content.size() > 0x40000000u ? 0x40000000u : static_cast<DWORD>(content.size());
        DWORD written = 0;
        if (!::WriteFile(handle, content.data(), chunk, &written, nullptr))
            return false; // a full disk, an I/O error, ...
        content.remove_prefix(written);
    }
    return true;
}

// A file beside target that no other writer has (CREATE_NEW), named
// Varnel.ini.tmp-<number> so a leftover from a killed process is recognisable.
HANDLE CreateTemporary(const Path& target, std::wstring& name, DWORD flags = 0) {
    std::random_device device;
    std::mt19937_64 random((static_cast<std::uint64_t>(device()) << 32) ^
                           static_cast<std::uint64_t>(::GetCurrentProcessId()));
    for (int attempt = 0; attempt < 16; ++attempt) {
        name = target + L".tmp-" + std::to_wstring(random() % 1000000000000ULL);
        const HANDLE handle = ::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                            FILE_ATTRIBUTE_NORMAL | flags, nullptr);
        if (handle != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS)
            return handle;
    }
    return INVALID_HANDLE_VALUE;
}

constexpr DWORD shareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// A handle on file or folder that reads nothing, to ask the system about it;
// a link is followed to what it ends at.
HANDLE Look(const Path& path) {
    return ::CreateFileW(path.c_str(), 0, shareAll, nullptr, OPEN_EXISTING,
                         FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

bool NotFound(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

} // namespace

Kind KindOf(const Path& file) {
    const HANDLE handle = Look(file);
    if (handle == INVALID_HANDLE_VALUE)
        return NotFound(::GetLastError()) ? Kind::Missing : Kind::Other;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool regular = ::GetFileType(handle) == FILE_TYPE_DISK &&
                         ::GetFileInformationByHandle(handle, &info) != 0 &&
                         (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    ::CloseHandle(handle);
    return regular ? Kind::File : Kind::Other;
}

std::optional<Path> LinkTarget(const Path& file) {
    const DWORD attributes = ::GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0)
        return file;
    // The system resolves the chain; one it cannot (a loop, a link to nothing) fails.
    const HANDLE handle = Look(file);
    if (handle == INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::wstring target(32768, L'\0');
    const DWORD length =
        ::GetFinalPathNameByHandleW(handle, target.data(), static_cast<DWORD>(target.size()),
                                    FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    ::CloseHandle(handle);
    if (length == 0 || length >= target.size())
        return std::nullopt;
    target.resize(length);
    return target;
}

bool SameFile(const Path& a, const Path& b) {
    BY_HANDLE_FILE_INFORMATION info[2]{};
    const Path* paths[] = {&a, &b};
    for (int i = 0; i < 2; ++i) {
        const HANDLE handle = Look(*paths[i]);
        if (handle == INVALID_HANDLE_VALUE)
            return false;
        const bool known = ::GetFileInformationByHandle(handle, &info[i]) != 0;
        ::CloseHandle(handle);
        if (!known)
            return false;
    }
    return info[0].dwVolumeSerialNumber == info[1].dwVolumeSerialNumber &&
           info[0].nFileIndexHigh == info[1].nFileIndexHigh &&
           info[0].nFileIndexLow == info[1].nFileIndexLow;
}

Path FolderOf(const Path& file) {
    const std::size_t last = file.find_last_of(L"\\/");
    if (last == Path::npos)
        return {};
    // A drive's root keeps its separator: the folder of C:\x is C:\, not C:.
    const bool root = last == 2 && file[1] == L':';
    return file.substr(0, root ? last + 1 : last);
}

bool MakeFolders(const Path& folder) {
    if (folder.empty())
        return false;
    const DWORD attributes = ::GetFileAttributesW(folder.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const Path parent = FolderOf(folder);
    if (!parent.empty() && parent != folder && !MakeFolders(parent))
        return false;
    return ::CreateDirectoryW(folder.c_str(), nullptr) != 0 ||
           ::GetLastError() == ERROR_ALREADY_EXISTS;
}

bool ReadFile(const Path& file, std::string& text) {
    const HANDLE handle = ::CreateFileW(file.c_str(), GENERIC_READ, shareAll, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    text.clear();
    char buffer[1 << 16];
    DWORD got = 0;
    bool ok = true;
    while ((ok = ::ReadFile(handle, buffer, sizeof buffer, &got, nullptr) != 0) && got > 0)
        text.append(buffer, got);
    ::CloseHandle(handle);
    return ok;
}

bool ReplaceFile(const Path& file, std::string_view content) {
    const DWORD attributes = ::GetFileAttributesW(file.c_str());
    // A file the user made read-only stays as it is.
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
        return false;

    std::wstring temporary;
    const HANDLE handle = CreateTemporary(file, temporary);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    bool ok = WriteAll(handle, content) && ::FlushFileBuffers(handle) != 0;
    ok = (::CloseHandle(handle) != 0) && ok;
    ok = ok && ::MoveFileExW(temporary.c_str(), file.c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!ok) {
        ::DeleteFileW(temporary.c_str());
        return false;
    }
    return true;
}

// Windows keeps folder permissions in access control lists that no attribute
// shows, so the only sure test is to create a file, which goes when closed.
bool CanWrite(const Path& folder) {
    std::wstring name;
    const HANDLE handle =
        CreateTemporary(folder + L"\\Varnel.ini", name, FILE_FLAG_DELETE_ON_CLOSE);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    ::CloseHandle(handle);
    return true;
}

} // namespace settings::platform
