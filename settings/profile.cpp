#include "settings/profile.h"
#include "settings/ini_text.h"
#include "settings/platform.h"

#include <optional>
#include <string>

namespace settings {
namespace {

enum class Loaded { Text, Missing, Failed };

// Reads the whole file. A missing file (or a missing directory on the way) is
// not a failure: it reads like an empty file. Anything that is not a regular
// file fails, which also keeps a FIFO from blocking the read forever.
Loaded Load(const Path& file, std::string& text) {
    switch (platform::KindOf(file)) {
    case platform::Kind::Missing:
        return Loaded::Missing;
    case platform::Kind::File:
        return platform::ReadFile(file, text) ? Loaded::Text : Loaded::Failed;
    default:
        return Loaded::Failed;
    }
}

} // namespace
std::int32_t ReadSetting(const Path& file, std::string_view section, std::string_view key,
                         std::int32_t fallback) {
    try {
        std::string bytes;
        if (Load(file, bytes) != Loaded::Text)
            return fallback;
        return detail::Lookup(detail::Decode(bytes).text, section, key).value_or(fallback);
    } catch (...) { // out of memory on a huge file, say: the fallback it is
        return fallback;
    }
}

std::optional<std::string> ReadText(const Path& file, std::string_view section,
                                    std::string_view key) {
    try {
        std::string bytes;
        if (Load(file, bytes) != Loaded::Text)
            return std::nullopt;
        return detail::LookupText(detail::Decode(bytes).text, section, key);
    } catch (...) {
        return std::nullopt;
    }
}

bool WriteSetting(const Path& file, std::string_view section, std::string_view key,
                  std::string_view value) {
    try {
        if (!detail::NamesRoundTrip(section, key))
            return false;
        const std::optional<Path> target = platform::LinkTarget(file);
        if (!target)
            return false;
        std::string bytes;
        const Loaded loaded = Load(*target, bytes);
        // A file that exists but cannot be read must never be replaced by one
        // holding only this key.
        if (loaded == Loaded::Failed)
            return false;
        // A file is written back in its own encoding, or not at all: never a
        // mix of two, never a byte of it lost.
        const detail::Decoded decoded = detail::Decode(bytes);
        if (detail::Encode(decoded.text, decoded.encoding) != bytes)
            return false;
        const std::string updated =
            detail::WithValue(decoded.text, section, key, detail::CleanValue(value));
        if (loaded == Loaded::Text && updated == decoded.text)
            return true;
        const std::optional<std::string> encoded = detail::Encode(updated, decoded.encoding);
        return encoded && platform::ReplaceFile(*target, *encoded);
    } catch (...) {
        return false;
    }
}

Path SettingsFile(const Path& programDirectory) {
    constexpr std::string_view name = "/Varnel.ini";
    Path file = programDirectory;
    // In the file system's own characters, so nothing converts them.
    file += std::basic_string<Path::value_type>(name.begin(), name.end());
    return file;
}

bool MakeFolderFor(const Path& file) {
    try {
        return platform::MakeFolders(platform::FolderOf(file));
    } catch (...) {
        return false;
    }
}

Files ChooseFiles(const Path& programDirectory, const Path& perUserFile,
                  const std::vector<Path>& systemFolders) {
    const Path beside = SettingsFile(programDirectory);
    bool portable = platform::CanWrite(programDirectory);
    for (const Path& folder : systemFolders)
        portable = portable && !platform::SameFile(programDirectory, folder);
    if (portable)
        return {beside, beside};
    // An administrator's defaults serve until the user has a file of their own.
    const bool defaults = platform::KindOf(perUserFile) == platform::Kind::Missing &&
                          platform::KindOf(beside) == platform::Kind::File;
    return {defaults ? beside : perUserFile, perUserFile};
}

} // namespace settings
