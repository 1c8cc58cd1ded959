// Proves that texture sizes come from each format's header and from nothing
// less: headers as their writers lay them out, each also cut short at every byte
// and followed by pixels and a TGA footer; headers to refuse; real files.
#include "core/texture_header.h"

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;
using Size = core::TextureSize;

// value as |n| bytes, least significant first, or last when n is negative.
std::string Bytes(long long value, int n) {
    std::string bytes;
    for (int i = 0; i < std::abs(n); ++i)
        bytes += static_cast<char>(value >> 8 * (n < 0 ? -n - 1 - i : i));
    return bytes;
}

Size SizeOf(const std::string& data, std::string_view suffix) {
    const core::ReadBytes read = [&](std::uint64_t offset, char* into, std::size_t size) {
        return data.copy(into, size, std::min<std::size_t>(offset, data.size()));
    };
    return core::ReadTextureSize(read, suffix).value_or(Size{});
}

TEST(Header, SizeOfEachFormat) {
    // A PNG header chunk of 8-bit RGB ends in its checksum, worked out apart (zlib.crc32).
    const std::string png = "\x89PNG\r\n\x1a\n"s + Bytes(13, -4) + "IHDR", rgb = "\x08\x02\0\0\0"s,
                      bmp = "BM" + std::string(12, 0),
                      sof = Bytes(11, -2) + '\x08' + Bytes(3, -2) + Bytes(5, -2),
                      pcx = "\x0A\x05\x01\x08"s + Bytes(10, 2) + Bytes(1, 2),
                      dds = "DDS "s + Bytes(124, 4) + Bytes(0x1007, 4) + Bytes(3, 4);
    std::vector<std::tuple<std::string, std::string, Size>> cases = {
        {"png", png + Bytes(5, -4) + Bytes(3, -4) + rgb + Bytes(0xD45452AF, -4), {5, 3}},
        {"png", png + Bytes(5, -4) + Bytes(3, -4) + rgb + Bytes(0xD45452AE, -4), {}}, // damaged
        {"png", png + Bytes(1LL << 31, -4) + Bytes(3, -4) + rgb + Bytes(0x9217BCFC, -4), {}},
        {"gif", "GIF87a" + Bytes(5, 2) + Bytes(3, 2), {5, 3}},
        {"gif", "GIF89a" + Bytes(5, 2) + Bytes(0, 2), {}}, // empty
        {"jpg", "\xFF\xD8\xFF\xE0\x00\x04\x00\x00\xFF\xC0"s + sof, {5, 3}},
        {"JPEG", "\xFF\xD8\xFF\xC4\x00\x02\xFF\xD0\xFF\xFF\xC2"s + sof, {5, 3}},
        {"jpg", "\xFF\xD8\xFF\xDA\x00\x02\xFF\xC0"s + sof, {}},
        {"jpg", "\xFF\xD8\xFF\x00\x00\x04\x00\x00\xFF\xC0"s + sof, {}}, // no marker
        {"jpg", "\xFF\xD8" + std::string(1000, '\xFF') + "\xC0" + sof, {}},
        {"bmp", bmp + Bytes(12, 4) + Bytes(5, 2) + Bytes(3, 2) + Bytes(1, 2), {5, 3}},
        {"bmp", bmp + Bytes(40, 4) + Bytes(5, 4) + Bytes(-3, 4) + Bytes(1, 2), {5, 3}},
        {"bmp", bmp + Bytes(124, 4) + Bytes(5, 4) + Bytes(-(1LL << 31), 4) + Bytes(1, 2), {}},
        {"pcx", pcx + Bytes(14, 2) + Bytes(3, 2), {5, 3}},
        {"pcx", pcx + Bytes(9, 2) + Bytes(3, 2), {}},
        {"pcx", "\x0A\x05\x00\x08"s + Bytes(10, 2) + Bytes(1, 2) + Bytes(14, 2) + Bytes(3, 2), {}},
        {"pcx", "\x0A\x05\x01\x03"s + Bytes(10, 2) + Bytes(1, 2) + Bytes(14, 2) + Bytes(3, 2), {}},
        {"dds", dds + Bytes(5, 4), {5, 3}}};
    // TGA: suffix, colour map type, image type, pixel depth, map entry bits, width, accepted.
    const std::tuple<const char*, int, int, int, int, int, bool> tgas[] = {
        {"tga", 1, 1, 8, 24, 5, 1},  {"ICB", 0, 2, 24, 0, 5, 1},  {"vda", 0, 3, 8, 0, 5, 1},
        {"VsT", 1, 9, 8, 15, 5, 1},  {"tga", 0, 10, 32, 0, 5, 1}, {"tga", 0, 11, 16, 0, 5, 1},
        {"tga", 1, 32, 8, 16, 5, 1}, {"tga", 1, 33, 8, 32, 5, 1}, {"tga", 1, 2, 24, 32, 5, 1},
        {"png", 0, 2, 24, 0, 5, 0},  {"tga", 0, 2, 24, 0, 0, 0},  {"tga", 0, 1, 8, 0, 5, 0},
        {"tga", 2, 2, 24, 24, 5, 0}, {"tga", 0, 4, 24, 0, 5, 0},  {"tga", 0, 2, 12, 0, 5, 0},
        {"tga", 1, 1, 8, 7, 5, 0}};
    for (const auto& [suffix, map, type, depth, bits, width, accepted] : tgas)
        cases.emplace_back(suffix,
                           "\x04"s + char(map) + char(type) + Bytes(7, 2) + Bytes(map * 256, 2) +
                               char(bits) + Bytes(0, 4) + Bytes(width, 2) + Bytes(3, 2) +
                               char(depth) + ' ',
                           accepted ? Size{5, 3} : Size{});
    for (const auto& [suffix, bytes, size] : cases) {
        EXPECT_EQ(SizeOf(bytes, suffix), size) << suffix << ' ' << bytes.size();
        const std::string footer = Bytes(0, 8) + "TRUEVISION-XFILE.\0"s;
        EXPECT_EQ(SizeOf(bytes + std::string(45, -1) + footer, suffix), size) << suffix;
        for (std::size_t cut = 0; size.width && cut < bytes.size(); ++cut)
            EXPECT_EQ(SizeOf(bytes.substr(0, cut), suffix), Size{}) << suffix << " cut " << cut;
    }
}

TEST(Header, FromFiles) {
    // Made in tests/core/textures by ImageMagick 6.9.11, whose TGA files have no footer:
    //   for f in tga dds pcx gif; do convert -size 5x3 gradient:red-blue plain.$f; done
    //   convert -size 5x3 gradient:red-blue -type Palette -compress RLE rle.tga
    //   convert -size 5x3 gradient:red-blue -strip plain.jpg
    const std::filesystem::path folder = VARNEL_TEXTURES;
    for (const char* name :
         {"plain.tga", "rle.tga", "plain.dds", "plain.pcx", "plain.jpg", "plain.gif"})
        EXPECT_EQ(core::TextureFileSize(folder / name), (Size{5, 3})) << name;
    EXPECT_EQ(core::TextureFileSize(folder), std::nullopt);
    EXPECT_EQ(core::TextureFileSize(folder / "missing.tga"), std::nullopt);
}

} // namespace
