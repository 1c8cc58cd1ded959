// Proves, for any bytes under any suffix, that a size read has both sides positive
// and, for a format with a mark, does not depend on the suffix; and that reading goes
// only forward, stops where the data ends and stays within a few kilobytes even when
// the bytes repeat for a gigabyte (an endless chain of JPEG segments, say).
#include "core/texture_header.h"

#include <algorithm>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    const std::string_view suffixes[] = {"tga", "VdA", "png", ""},
                           bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::uint64_t length = data[0] & 4 ? std::uint64_t{1} << 30 : bytes.size();
    std::uint64_t next = 0, total = 0;
    const core::ReadBytes read = [&](std::uint64_t offset, char* into, std::size_t wanted) {
        if (offset < next || next > length || wanted == 0 || (total += wanted) > 8192)
            std::abort(); // backwards, on after the end, asking for nothing, or too much
        const std::size_t given = std::min(wanted, length - std::min(offset, length));
        for (std::size_t i = 0; i < given; ++i)
            into[i] = bytes[(offset + i) % bytes.size()];
        next = given < wanted ? length + 1 : offset + given;
        return given;
    };
    auto under = [&](std::string_view suffix) {
        next = total = 0;
        return core::ReadTextureSize(read, suffix);
    };
    const auto found = under(suffixes[data[0] & 3]), marked = under("png");
    if ((found && (found->width <= 0 || found->height <= 0)) || (marked && found != marked))
        std::abort();
    return 0;
}
