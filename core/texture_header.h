// Texture sizes straight from an image file's header, for the formats level
// designers keep textures in: PNG, JPEG, BMP, GIF, TGA (every kind, with or
// without the 2.0 footer, run-length encoded or not), PCX and DDS. Only the
// bytes that hold the size are read, so a huge texture costs no more than a
// small one, and no pixel is decoded.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace core {

// The suffixes of the files whose sizes ReadTextureSize knows, in lower case:
// those with a mark of their own, then TGA's, which has none.
inline constexpr std::array<std::string_view, 11> textureSuffixes{
    "png", "jpg", "jpeg", "bmp", "gif", "pcx", "dds", "tga", "icb", "vda", "vst"};
inline constexpr std::span<const std::string_view> tgaSuffixes =
    std::span(textureSuffixes).subspan(7);

struct TextureSize {
    int width = 0;
    int height = 0;
    bool operator==(const TextureSize&) const = default;
};

// Reads up to size bytes at offset into into and gives how many it read:
// fewer at the end of the data, none past it.
using ReadBytes = std::function<std::size_t(std::uint64_t offset, char* into, std::size_t size)>;

// The width and height of the image whose bytes read gives, or nothing when
// they are not one of the formats above, are cut short or are inconsistent, or
// give an empty image or a side that does not fit an int. Formats with a mark of their own are
// known by it; TGA, which has none, only when suffix (the file name's, without the dot, any case)
// is "tga", "icb", "vda" or "vst", and its header makes sense. Never throws and never reads the
// same bytes twice: the first 33 bytes, and for a JPEG each marker and segment length up to the
// frame header, giving up after 1024 segments or 256 fill bytes, so a few kilobytes at most.
std::optional<TextureSize> ReadTextureSize(const ReadBytes& read, std::string_view suffix);

// The suffix of the file name at the end of path, for ReadTextureSize: what
// follows its last dot, with anything outside ASCII as '?' (only ASCII can
// name a format), or nothing when the name has no dot past its first
// character. "tga" for "C:\art\wall.tga"; nothing for "art/.tga".
template <class Char> std::string SuffixOf(std::basic_string_view<Char> path) {
    constexpr Char separators[] = {Char('/'), Char('\\'), Char()};
    const std::size_t slash = path.find_last_of(separators);
    const std::size_t name = slash == path.npos ? 0 : slash + 1;
    const std::size_t dot = path.find_last_of(Char('.'));
    std::string suffix;
    if (dot != path.npos && dot > name)
        for (const Char c : path.substr(dot + 1))
            suffix += static_cast<std::uint32_t>(c) < 0x80 ? static_cast<char>(c) : '?';
    return suffix;
}

// The same for a file: nothing also when it cannot be opened or is not a
// regular file.
std::optional<TextureSize> TextureFileSize(const std::filesystem::path& file);

} // namespace core
