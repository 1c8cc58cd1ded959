// Any text a user can paste into a field: reading it must end in a finite
// number or a Failure, never a crash, a hang or an infinity, and whatever
// number comes out must read back from its own seven-digit text to within
// the half unit of the seventh digit that the text gives up, plus the one
// rounding to single on the way back (at most 1.2e-7 relative, or one
// denormal step).
#include "calc/offsets.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    float value = 0.0f;
    try {
        value = calc::TextToNumber(text);
    } catch (const calc::Failure&) {
        return 0;
    }
    if (!std::isfinite(value))
        std::abort();
    const std::string shown = calc::NumberToText(value);
    const float again = calc::TextToNumber(shown); // must not throw
    const double error = std::fabs(static_cast<double>(again) - value);
    if (error > 6.2e-7 * std::fabs(static_cast<double>(value)) + 1.5e-45)
        std::abort();
    // The arithmetic on top must fail cleanly or give text, for any inputs.
    try {
        (void)calc::CalcFCOffset(value, value);
        (void)calc::CalcWallOffset(static_cast<std::int16_t>(size % 7) , value, -value);
    } catch (const calc::Failure&) {
    }
    return 0;
}
