// Any bytes as a settings file: reading must give a value or nothing, never a
// crash or a hang, and setting one key must make it read back as written,
// leave every other key reading as before, and be a no-op the second time.
#include "settings/ini_text.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

constexpr std::string_view sections[] = {"position", "lastsize", "A", ""};
constexpr std::string_view keys[] = {"top", "textx", "k", ""};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    // The first byte picks the names, the second how many of the last bytes
    // are the value to write; the rest is the file.
    const std::string_view section = sections[data[0] & 3];
    const std::string_view key = keys[(data[0] >> 2) & 3];
    std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);
    const std::size_t valueSize = data[1] % (text.size() + 1);
    const std::string_view value = text.substr(text.size() - valueSize);
    text.remove_suffix(valueSize);

    using namespace settings::detail;
    const std::string clean = CleanValue(value);
    const std::string after = WithValue(text, section, key, clean);
    if (Lookup(after, section, key) != ParseValue(clean))
        std::abort();
    if (WithValue(after, section, key, clean) != after)
        std::abort();
    for (const std::string_view otherSection : sections)
        for (const std::string_view otherKey : keys)
            if ((otherSection != section || otherKey != key) &&
                Lookup(after, otherSection, otherKey) != Lookup(text, otherSection, otherKey))
                std::abort();
    return 0;
}
