// Proves the window's own rules, apart from any toolkit: where a window goes
// on the screens there are.
#include "core/placement.h"

#include <gtest/gtest.h>

namespace {

// A 1280 x 1024 screen to the left of the main 1920 x 1080 one; the window
// with its frame is 471 x 465.
TEST(Placement, KeepsTheWindowWhollyOnAScreen) {
    const core::Rect screens[] = {{-1280, 0, 1280, 1024}, {0, 0, 1920, 1080}};
    const struct {
        const char* where;
        core::Rect frame;
        core::Point place;
    } cases[] = {
        {"wholly on the left screen: kept", {-800, 10, 471, 465}, {-800, 10}},
        {"across both: onto the nearer", {-200, 10, 471, 465}, {0, 10}},
        {"past the bottom right corner", {1800, 1000, 471, 465}, {1449, 615}},
        {"far off: the nearest corner", {-20000, -9000, 471, 465}, {-1280, 0}},
        {"below the shorter screen", {-1280, 900, 471, 465}, {-1280, 559}},
        {"larger than any: a top left corner", {9, 9, 3000, 2000}, {0, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(core::OnScreen(c.frame, screens), c.place) << c.where;
}

} // namespace
