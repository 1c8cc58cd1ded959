#include "settings/profile.h"
#include "settings/ini_text.h"
#include "settings/platform.h"

#include <array>
#include <fstream>
#include <optional>
#include <string>
#include <system_error>

namespace settings {
namespace {

namespace fs = std::filesystem;

enum class Loaded { Text, Missing, Failed };

// Reads the whole file. A missing file (or a missing directory on the way) is
// not a failure: it reads like an empty file. Anything that is not a regular
// file fails, which also keeps a FIFO from blocking the read forever.
Loaded Load(const fs::path& file, std::string& text) {
    std::error_code error;
    const fs::file_status status = fs::status(file, error);
    if (status.type() == fs::file_type::not_found)
        return Loaded::Missing;
    if (status.type() != fs::file_type::regular)
        return Loaded::Failed;
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return Loaded::Failed;
    std::array<char, 1 << 16> buffer;
    text.clear();
    while (in.read(buffer.data(), buffer.size()) || in.gcount() > 0)
        text.append(buffer.data(), static_cast<std::size_t>(in.gcount()));
    return in.bad() ? Loaded::Failed : Loaded::Text;
}

// The file a chain of symbolic links ends at, so the rename replaces the
// target and the links stay links. The target need not exist yet.
fs::path FollowLinks(fs::path file) {
    for (int hops = 0; fs::is_symlink(fs::symlink_status(file)); ++hops) {
        if (hops == 40)
            throw fs::filesystem_error(
                "too many symbolic links", file,
                std::make_error_code(std::errc::too_many_symbolic_link_levels));
        const fs::path target = fs::read_symlink(file);
        file = target.is_absolute() ? target : file.parent_path() / target;
    }
    return file;
}

} // namespace

std::int32_t ReadSetting(const fs::path& file, std::string_view section, std::string_view key,
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

std::optional<std::string> ReadText(const fs::path& file, std::string_view section,
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

bool WriteSetting(const fs::path& file, std::string_view section, std::string_view key,
                  std::string_view value) {
    try {
        if (!detail::NamesRoundTrip(section, key))
            return false;
        const fs::path target = FollowLinks(file);
        std::string bytes;
        const Loaded loaded = Load(target, bytes);
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
        return encoded && platform::ReplaceFile(target, *encoded);
    } catch (...) {
        return false;
    }
}

fs::path SettingsFile(const fs::path& programDirectory) {
    fs::path file = programDirectory;
    file += "/Varnel.ini";
    return file;
}

Files ChooseFiles(const fs::path& programDirectory, const fs::path& perUserFile,
                  const std::vector<fs::path>& systemFolders) {
    const fs::path beside = SettingsFile(programDirectory);
    bool portable = platform::CanWrite(programDirectory);
    for (const fs::path& folder : systemFolders) {
        std::error_code error;
        portable = portable && !fs::equivalent(programDirectory, folder, error);
    }
    if (portable)
        return {beside, beside};
    // An administrator's defaults serve until the user has a file of their own.
    std::error_code error;
    const bool defaults =
        !fs::exists(perUserFile, error) && !error && fs::is_regular_file(beside, error);
    return {defaults ? beside : perUserFile, perUserFile};
}

} // namespace settings
