// Proves that any pasted text gives a finite number or a Failure, never a crash,
// a hang or an infinity; that the number reads back from its own seven-digit
// text to within half a unit of the seventh digit plus one rounding to single;
// and that the offsets on top of it fail cleanly or give text.
#include "calc/offsets.h"

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) try {
    const float value =
        calc::TextToNumber(std::string_view(reinterpret_cast<const char*>(data), size));
    const double back = calc::TextToNumber(calc::NumberToText(value)); // never fails
    if (!std::isfinite(value) || std::fabs(back - value) > 6.2e-7 * std::fabs(value) + 1.5e-45)
        std::abort();
    calc::CalcWallOffset(static_cast<std::int16_t>(size % 7), value, -value);
    calc::CalcFCOffset(value, value);
    return 0;
} catch (const calc::Failure&) {
    return 0;
}
