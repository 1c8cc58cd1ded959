// Proves, for any bytes as a settings file, that reading gives a value or
// nothing, never a crash or a hang; that setting one key makes it read back
// as written, leaves every other key as it was, and changes nothing when done
// again; and that a UTF-16 file of whole code units is written back unchanged.
#include "settings/ini_text.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::string_view sections[] = {"position", "lastsize", "A", ""},
                               keys[] = {"top", "textx", "k", ""};
    if (size < 2)
        return 0;
    // Byte 0 picks the names, byte 1 how many of the last bytes are the value.
    const std::string_view section = sections[data[0] & 3], key = keys[(data[0] >> 2) & 3];
    std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);
    const std::string_view value = text.substr(text.size() - data[1] % (text.size() + 1));
    text.remove_suffix(value.size());

    using namespace settings::detail;
    const Decoded decoded = Decode(text);
    if (text.size() % 2 == 0 && Encode(decoded.text, decoded.encoding) != text)
        std::abort();
    const std::string clean = CleanValue(value), after = WithValue(text, section, key, clean);
    if (Lookup(after, section, key) != ParseValue(clean) ||
        WithValue(after, section, key, clean) != after)
        std::abort();
    for (const std::string_view s : sections)
        for (const std::string_view k : keys)
            if ((s != section || k != key) && Lookup(after, s, k) != Lookup(text, s, k))
                std::abort();
    return 0;
}
