// Texture sizes from a file, through the standard library's streams. On its
// own so that a program which reads files its own way (the Windows window)
// links neither this nor the streams' locale machinery.
#include "core/texture_header.h"

#include <fstream>
#include <limits>
#include <string>

namespace core {

std::optional<TextureSize> TextureFileSize(const std::filesystem::path& file) {
    try {
        std::error_code error;
        if (!std::filesystem::is_regular_file(file, error))
            return {};
        std::ifstream in(file, std::ios::binary);
        if (!in)
            return {};
        const ReadBytes read = [&in](std::uint64_t offset, char* into, std::size_t size) {
            in.clear();
            if (offset > static_cast<std::uint64_t>(std::numeric_limits<std::streamoff>::max()) ||
                !in.seekg(static_cast<std::streamoff>(offset)))
                return std::size_t{0};
            in.read(into, static_cast<std::streamsize>(size));
            return static_cast<std::size_t>(in.gcount());
        };
        // Only ASCII suffixes can name TGA; anything else in the name stays
        // out of the comparison, whatever the path's native character type.
        const std::filesystem::path extension = file.extension();
        std::string suffix;
        for (const auto unit : extension.native())
            suffix += static_cast<std::uint32_t>(unit) < 0x80 ? static_cast<char>(unit) : '?';
        return ReadTextureSize(read, suffix.empty() ? suffix : suffix.substr(1));
    } catch (...) {
        return {};
    }
}

} // namespace core
