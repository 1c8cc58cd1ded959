// Internal to settings/: the two operations that need the operating system
// beyond what the standard library offers.
#pragma once

#include <filesystem>
#include <string_view>

namespace settings::platform {

// Makes file (a path that is not a symbolic link) hold exactly content, all or
// nothing: the bytes go into a new temporary file in the same directory, which
// is flushed to disk and then renamed over file. At every moment, even across a
// crash or a kill, file is either the old file or the new one, whole. Keeps the
// old file's permission bits. Returns false, with file untouched and the
// temporary file removed, when any step fails or the old file is not writable.
bool ReplaceFile(const std::filesystem::path& file, std::string_view content);

// Whether this process may create files in folder. On POSIX the system's
// access check answers, without creating anything; root may write nearly
// anywhere, but not on a file system mounted read-only. On Windows, where
// folder permissions show in no attribute, a file is created and removed.
bool CanWrite(const std::filesystem::path& folder);

} // namespace settings::platform
