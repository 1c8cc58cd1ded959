// Windows: temporary file, FlushFileBuffers and a write-through replacing
// move, the counterparts of the POSIX temporary file, fsync and rename.
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
HANDLE CreateTemporary(const std::filesystem::path& target, std::wstring& name, DWORD flags = 0) {
    std::random_device device;
    std::mt19937_64 random((static_cast<std::uint64_t>(device()) << 32) ^
                           static_cast<std::uint64_t>(::GetCurrentProcessId()));
    for (int attempt = 0; attempt < 16; ++attempt) {
        name = target.native() + L".tmp-" + std::to_wstring(random() % 1000000000000ULL);
        const HANDLE handle = ::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                            FILE_ATTRIBUTE_NORMAL | flags, nullptr);
        if (handle != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS)
            return handle;
    }
    return INVALID_HANDLE_VALUE;
}

} // namespace

bool ReplaceFile(const std::filesystem::path& file, std::string_view content) {
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
bool CanWrite(const std::filesystem::path& folder) {
    std::wstring name;
    const HANDLE handle = CreateTemporary(folder / L"Varnel.ini", name, FILE_FLAG_DELETE_ON_CLOSE);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    ::CloseHandle(handle);
    return true;
}

} // namespace settings::platform
