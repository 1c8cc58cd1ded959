#include "core/texture_header.h"

#include <algorithm>
#include <array>
#include <climits>
#include <limits>
#include <string>

namespace core {
namespace {

// The data, of which the first bytes are read once, up front: every format's
// size lies within them, and only a JPEG's segment walk reads on from there.
class Data {
  public:
    explicit Data(const ReadBytes& read) : read_(read), headSize_(Fetch(0, head_.data(), kHead)) {}

    std::string_view Head() const { return {head_.data(), headSize_}; }

    // Copies size bytes at offset into into, asking the source only for those
    // not in the head; false when the data ends first. Once a short head has
    // shown where the data ends, nothing past it is asked for.
    bool Get(std::uint64_t offset, char* into, std::size_t size) const {
        std::size_t copied = 0;
        if (offset < headSize_) {
            const auto at = static_cast<std::size_t>(offset);
            copied = std::min(size, headSize_ - at);
            std::copy_n(head_.data() + at, copied, into);
        }
        return copied == size || (headSize_ == kHead && Fetch(offset + copied, into + copied,
                                                              size - copied) == size - copied);
    }

  private:
    static constexpr std::size_t kHead = 33; // a PNG's header chunk, its checksum included

    // A source that claims more than it was asked for is taken at its word
    // only up to what was asked.
    std::size_t Fetch(std::uint64_t offset, char* into, std::size_t size) const {
        return std::min(read_(offset, into, size), size);
    }

    const ReadBytes& read_;
    std::array<char, kHead> head_{};
    std::size_t headSize_;
};

std::uint32_t Byte(std::string_view bytes, std::size_t at) {
    return static_cast<unsigned char>(bytes[at]);
}

std::uint32_t LittleEndian(std::string_view bytes, std::size_t at, std::size_t size) {
    std::uint32_t value = 0;
    for (std::size_t i = size; i-- > 0;)
        value = value << 8 | Byte(bytes, at + i);
    return value;
}

std::uint32_t BigEndian(std::string_view bytes, std::size_t at, std::size_t size) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < size; ++i)
        value = value << 8 | Byte(bytes, at + i);
    return value;
}

std::optional<TextureSize> Size(std::int64_t width, std::int64_t height) {
    if (width <= 0 || height <= 0 || width > INT_MAX || height > INT_MAX)
        return {};
    return TextureSize{static_cast<int>(width), static_cast<int>(height)};
}

// A frame header: baseline, extended, progressive or lossless, Huffman or
// arithmetic coded. C4 (Huffman tables), C8 (reserved) and CC (arithmetic
// conditioning) share the range but are not frames.
bool IsFrame(std::uint32_t code) {
    return code >= 0xC0 && code <= 0xCF && code != 0xC4 && code != 0xC8 && code != 0xCC;
}

// Walks the segments after the start of image to the first frame header,
// reading only each marker and segment length, and the frame's height and
// width. Real files have a few dozen segments before the frame; the bounds on
// segments and fill bytes keep a hostile chain of lengths or a run of 0xFF
// from reading its way through a huge file.
std::optional<TextureSize> Jpeg(const Data& data) {
    std::uint64_t at = 2;
    int fill = 256;
    for (int segment = 0; segment < 1024; ++segment) {
        char bytes[7];
        const std::string_view got(bytes, sizeof bytes);
        if (!data.Get(at, bytes, 2) || Byte(got, 0) != 0xFF)
            return {};
        at += 2;
        std::uint32_t code = Byte(got, 1);
        while (code == 0xFF) {
            if (--fill < 0 || !data.Get(at++, bytes, 1))
                return {};
            code = Byte(got, 0);
        }
        if (code == 0x01 || (code >= 0xD0 && code <= 0xD7))
            continue; // stands alone, without a length
        if (code == 0x00 || code == 0xD8 || code == 0xD9 || code == 0xDA)
            return {}; // not a marker, a second start, or the end or a scan before any frame
        if (!data.Get(at, bytes, 2) || BigEndian(got, 0, 2) < 2)
            return {};
        if (IsFrame(code))
            return BigEndian(got, 0, 2) < 8 || !data.Get(at + 2, bytes + 2, 5)
                       ? std::nullopt
                       : Size(BigEndian(got, 5, 2), BigEndian(got, 3, 2));
        at += BigEndian(got, 0, 2);
    }
    return {};
}

// BITMAPCOREHEADER has 16-bit unsigned sizes; BITMAPINFOHEADER, the OS/2 2.x
// header and their successors 32-bit signed ones, a negative height being an
// image stored top row first.
std::optional<TextureSize> Bmp(std::string_view head) {
    const std::uint32_t header = head.size() >= 18 ? LittleEndian(head, 14, 4) : 0;
    if (header == 12)
        return head.size() >= 24 && LittleEndian(head, 22, 2) == 1
                   ? Size(LittleEndian(head, 18, 2), LittleEndian(head, 20, 2))
                   : std::nullopt;
    constexpr std::uint32_t later[] = {16, 40, 52, 56, 64, 108, 124};
    if (std::find(std::begin(later), std::end(later), header) == std::end(later) ||
        head.size() < 28 || LittleEndian(head, 26, 2) != 1)
        return {};
    const auto height = static_cast<std::int32_t>(LittleEndian(head, 22, 4));
    return Size(static_cast<std::int32_t>(LittleEndian(head, 18, 4)),
                height < 0 ? -std::int64_t{height} : height);
}

// TGA has no mark, so its header must make sense throughout: a colour map
// present or not, one of the image types (colour-mapped, true-colour or grey,
// plain or run-length encoded, or the two compressed colour-mapped kinds), a
// known pixel depth, and colour-mapped images with a map of known entries.
std::optional<TextureSize> Tga(std::string_view head) {
    if (head.size() < 18)
        return {};
    const std::uint32_t mapType = Byte(head, 1), type = Byte(head, 2),
                        mapLength = LittleEndian(head, 5, 2), entryBits = Byte(head, 7),
                        depth = Byte(head, 16);
    const bool mapped = type == 1 || type == 9 || type == 32 || type == 33;
    const bool known = mapped || type == 2 || type == 3 || type == 10 || type == 11;
    const bool goodMap = mapType == 0 ? !mapped && mapLength == 0
                                      : mapType == 1 && mapLength > 0 &&
                                            (entryBits == 15 || entryBits == 16 ||
                                             entryBits == 24 || entryBits == 32);
    const bool goodDepth = depth == 8 || depth == 15 || depth == 16 || depth == 24 || depth == 32;
    if (!known || !goodMap || !goodDepth)
        return {};
    return Size(LittleEndian(head, 12, 2), LittleEndian(head, 14, 2));
}

// Manufacturer 0x0A, a known version, run-length encoding and a known number
// of bits per pixel; the window's bounds are inclusive.
std::optional<TextureSize> Pcx(std::string_view head) {
    if (head.size() < 12)
        return {};
    const std::uint32_t version = Byte(head, 1), bits = Byte(head, 3);
    if (version == 1 || version > 5 || Byte(head, 2) != 1 ||
        (bits != 1 && bits != 2 && bits != 4 && bits != 8))
        return {};
    return Size(std::int64_t{LittleEndian(head, 8, 2)} - LittleEndian(head, 4, 2) + 1,
                std::int64_t{LittleEndian(head, 10, 2)} - LittleEndian(head, 6, 2) + 1);
}

// Any case: setting bit 5 lower-cases an ASCII letter and turns no other
// character into one.
// The CRC-32 a PNG chunk ends with, of its type and data.
std::uint32_t Crc32(std::string_view bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= static_cast<unsigned char>(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

bool IsTgaSuffix(std::string_view suffix) {
    for (const std::string_view known : tgaSuffixes)
        if (std::equal(suffix.begin(), suffix.end(), known.begin(), known.end(),
                       [](char a, char lower) { return (a | 0x20) == lower; }))
            return true;
    return false;
}

std::optional<TextureSize> Read(const Data& data, std::string_view suffix) {
    const std::string_view head = data.Head();
    if (head.starts_with("\x89PNG\r\n\x1a\n"))
        // A header whose checksum fails is damaged, its size with it.
        return head.size() >= 33 && BigEndian(head, 8, 4) == 13 && head.substr(12, 4) == "IHDR" &&
                       Crc32(head.substr(12, 17)) == BigEndian(head, 29, 4)
                   ? Size(BigEndian(head, 16, 4), BigEndian(head, 20, 4))
                   : std::nullopt;
    if (head.starts_with("\xFF\xD8"))
        return Jpeg(data);
    if (head.starts_with("GIF87a") || head.starts_with("GIF89a"))
        return head.size() >= 10 ? Size(LittleEndian(head, 6, 2), LittleEndian(head, 8, 2))
                                 : std::nullopt;
    if (head.starts_with("BM"))
        return Bmp(head);
    if (head.starts_with("DDS "))
        return head.size() >= 20 && LittleEndian(head, 4, 4) == 124
                   ? Size(LittleEndian(head, 16, 4), LittleEndian(head, 12, 4))
                   : std::nullopt;
    if (head.starts_with("\x0A"))
        return Pcx(head);
    return IsTgaSuffix(suffix) ? Tga(head) : std::nullopt;
}

} // namespace

std::optional<TextureSize> ReadTextureSize(const ReadBytes& read, std::string_view suffix) {
    try {
        return Read(Data(read), suffix);
    } catch (...) { // the source's own failures, an empty source, bad_alloc
        return {};
    }
}

} // namespace core
