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

namespace {

std::int64_t Overlap(const Rect& a, const Rect& b) {
    const std::int64_t w = std::min(a.left + a.width, b.left + b.width) - std::max(a.left, b.left);
    const std::int64_t h = std::min(a.top + a.height, b.top + b.height) - std::max(a.top, b.top);
    return w > 0 && h > 0 ? w * h : 0;
}

bool Inside(const Rect& r, const Rect& area) {
    return r.left >= area.left && r.top >= area.top && r.left + r.width <= area.left + area.width &&
           r.top + r.height <= area.top + area.height;
}

} // namespace

Rect NotePlace(const Rect& beside, int width, int height, const Rect& area,
               std::span<const Rect> taken) {
    const int left = beside.left, right = beside.left + beside.width - width;
    const int below = beside.top + beside.height, above = beside.top - height;
    const int middle = beside.top + (beside.height - height) / 2;
    const Point corners[] = {{left, below},
                             {right, below},
                             {left, above},
                             {right, above},
                             {beside.left + beside.width, middle},
                             {beside.left - width, middle}};
    // Where none fits (a note larger than the window), its top left corner is kept in it.
    Rect best{std::max(area.left, std::min(left, area.left + area.width - width)),
              std::max(area.top, std::min(below, area.top + area.height - height)), width, height};
    std::int64_t least = -1;
    for (const Point corner : corners) {
        // Shifted sideways into the window, as far as it fits.
        const int x = std::max(area.left, std::min(corner.x, area.left + area.width - width));
        const Rect place{x, corner.y, width, height};
        if (!Inside(place, area))
            continue;
        std::int64_t covered = 0;
        for (const Rect& other : taken)
            covered += Overlap(place, other);
        if (least < 0 || covered < least) {
            least = covered;
            best = place;
        }
        if (covered == 0)
            break;
    }
    return best;
}

} // namespace core
