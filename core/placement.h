// Where a window goes on the screens there are, in plain pixel rectangles, so
// the rule is the same whichever toolkit draws the window.
#pragma once

#include <span>

namespace core {

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// Twips (1/1440 inch) as pixels at dpi dots per inch, to the nearest pixel:
// 15 twips a pixel at 96. The places of the layout and the stored window
// position are in twips.
int TwipsToPixels(double twips, int dpi = 96);

// Pixels at dpi as twips, as a window position is stored.
float PixelsToTwips(int pixels, int dpi = 96);

// Where a window whose frame is `frame` goes so that it lies wholly on one of
// `screens`: where it is when it already does, else the least distance from
// there onto the screen that needs the least. A window larger than a screen
// keeps that screen's top left corner, so its title bar stays in reach.
Point OnScreen(const Rect& frame, std::span<const Rect> screens);

// Where a note width by height pixels goes beside the control at beside, in a
// window whose client area is area, among the controls, captions and lines
// at taken: just below it, else just above it, flush with its left edge,
// else with its right edge, else to its right or its left, each shifted
// sideways into the window as needed. The first of these that lies in the
// window and covers nothing wins; when each covers something, the one that
// covers least. So a note always stands by what it speaks of.
Rect NotePlace(const Rect& beside, int width, int height, const Rect& area,
               std::span<const Rect> taken);

} // namespace core
