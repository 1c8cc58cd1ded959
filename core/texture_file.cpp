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
        return ReadTextureSize(read, SuffixOf<std::filesystem::path::value_type>(file.native()));
    } catch (...) {
        return {};
    }
}

} // namespace core
