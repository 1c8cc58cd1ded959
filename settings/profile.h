// The settings file: Varnel.ini, beside the program or in the user's
// configuration folder, in the INI format (sections in square brackets, one
// name=value line per setting).
//
// Every call reads the file afresh; nothing is cached. Reading is lenient, the
// way hand-edited INI files have always been read. Writing edits the file in
// place, keeps every byte it does not have to change, and replaces the file
// atomically, so a process killed at any moment leaves either the old file or
// the new one, whole.
#pragma once

#include <cstdint>
#ifndef _WIN32
#include <filesystem>
#endif
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace settings {

// A file's path as the operating system spells it. On Windows that is its own
// UTF-16 text, handed to the system's calls unconverted: the standard
// library's path type would bring half a megabyte of locale machinery into a
// small program there.
#ifdef _WIN32
using Path = std::wstring;
#else
using Path = std::filesystem::path;
#endif

// The value of [section] key as a signed 32-bit integer, or fallback when the
// file, the section or the key is missing, the value is empty, or the file
// cannot be read. Names match without regard to ASCII case; the first section
// of that name is the only one searched, and its first matching key wins.
// A value in matching quotes loses them. The value is then read as an optional
// sign and the decimal digits up to the first non-digit, wrapping modulo 2^32:
// "12.5" gives 12, "42abc" gives 42, "abc" gives 0. Never throws.
std::int32_t ReadSetting(const Path& file, std::string_view section, std::string_view key,
                         std::int32_t fallback);

// The text of [section] key's value as ReadSetting reads it, before it becomes
// a number: without the blanks around it, up to a NUL, without one pair of
// matching quotes. Nothing when the file, the section or the key is missing,
// the value is empty, or the file cannot be read. Never throws.
std::optional<std::string> ReadText(const Path& file, std::string_view section,
                                    std::string_view key);

// Sets [section] key to value and returns true when the value is in the file
// afterwards. The value loses its leading whitespace and any CR or LF, so it
// stays on one line. Only the value of the matching line changes; a missing key
// is added at the end of its section, a missing section at the end of the file,
// in the file's own line-break style (CR LF for a new file). Writing the value
// that is already there (trailing blanks aside, which reading ignores) leaves
// the file untouched, not even rewritten. A symbolic link stays a link and its
// target is updated. On any failure (a missing or read-only directory, a file
// without write permission, even for root, an unreadable file, a directory in
// the way, a full disk, or names that could not be found again: CR, LF, "=" in
// a key, a key starting with "[", surrounding blanks) the file is left exactly
// as it was and false is returned. Never throws.
bool WriteSetting(const Path& file, std::string_view section, std::string_view key,
                  std::string_view value);

// The settings file beside the program: the directory text followed by
// "/Varnel.ini", with no test for a separator already at the end.
Path SettingsFile(const Path& programDirectory);

// Makes the folder file goes in, and any folder missing on the way to it;
// false when that fails. A per-user settings folder is made on first use.
bool MakeFolderFor(const Path& file);

// Where one run keeps its settings: the file it reads at start-up and the file
// it writes when it ends.
struct Files {
    Path read;
    Path write;
};

// Chooses, once per run, where the settings live. A copy in a folder the user
// can write keeps Varnel.ini beside itself, so a portable folder carries its
// settings along; a copy in one of systemFolders (the install prefix's bin
// folder and the like) or in a folder the user cannot write uses perUserFile.
// While perUserFile does not exist yet, a Varnel.ini beside such a copy, an
// administrator's defaults, gives the first run its values. Never throws.
Files ChooseFiles(const Path& programDirectory, const Path& perUserFile,
                  const std::vector<Path>& systemFolders);

} // namespace settings
