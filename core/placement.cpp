#include "core/placement.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace core {

int TwipsToPixels(double twips, int dpi) {
    return static_cast<int>(std::lround(twips * dpi / 1440));
}

float PixelsToTwips(int pixels, int dpi) {
    return static_cast<float>(static_cast<double>(pixels) * 1440 / dpi);
}

Point OnScreen(const Rect& frame, std::span<const Rect> screens) {
    Point best{frame.left, frame.top};
    std::int64_t shortest = -1;
    for (const Rect& screen : screens) {
        const int x =
            std::max(screen.left, std::min(frame.left, screen.left + screen.width - frame.width));
        const int y =
            std::max(screen.top, std::min(frame.top, screen.top + screen.height - frame.height));
        const std::int64_t dx = x - frame.left, dy = y - frame.top;
        if (shortest < 0 || dx * dx + dy * dy < shortest) {
            shortest = dx * dx + dy * dy;
            best = {x, y};
        }
    }
    return best;
}

} // namespace core
