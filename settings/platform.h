// Internal to settings/: what needs the operating system beyond what the
// standard library offers, or offers everywhere: the file system's calls on
// Windows, where the standard library's would bring its locale machinery
// along, and a durable, atomic replace everywhere.
#pragma once

#include "settings/profile.h"

#include <optional>
#include <string>
#include <string_view>

namespace settings::platform {

enum class Kind { Missing, File, Other };

// What file is, following links: Missing when it (or a folder on the way to
// it) does not exist, File for a regular file, Other for anything else (a
// folder, a device, something that cannot be looked at).
Kind KindOf(const Path& file);

// The file a chain of symbolic links from file ends at, so a replace updates
// the target and the links stay links; file itself when it is no link. The
// target need not exist yet. Nothing for a chain of more than 40 links, which
// may well be a loop.
std::optional<Path> LinkTarget(const Path& file);

// Whether a and b are the same folder or file; false when either is missing.
bool SameFile(const Path& a, const Path& b);

// The folder file lies in.
Path FolderOf(const Path& file);

// Makes folder, and any folder missing on the way; false when that fails.
bool MakeFolders(const Path& folder);

// The whole of file, a regular file, into text; false when it cannot be
// opened or read.
bool ReadFile(const Path& file, std::string& text);

// Makes file (a path that is not a symbolic link) hold exactly content, all or
// nothing: the bytes go into a new temporary file in the same directory, which
// is flushed to disk and then renamed over file. At every moment, even across a
// crash or a kill, file is either the old file or the new one, whole. Keeps the
// old file's permission bits. Returns false, with file untouched and the
// temporary file removed, when any step fails or the old file is not writable.
bool ReplaceFile(const Path& file, std::string_view content);

// Whether this process may create files in folder. On POSIX the system's
// access check answers, without creating anything; root may write nearly
// anywhere, but not on a file system mounted read-only. On Windows, where
// folder permissions show in no attribute, a file is created and removed.
bool CanWrite(const Path& folder);

} // namespace settings::platform
