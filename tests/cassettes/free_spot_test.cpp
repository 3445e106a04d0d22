#include "cassettes/free_spot.h"

#include <gtest/gtest.h>

namespace {

// A 1024 x 768 screen and a 200 x 100 main window at (300, 200): the open area runs from
// (100, 100) to (700, 400), the usable area is 198 x 140 cells, and a 100 x 60 window needs
// a block of 14 x 6 cells.
const QSize Screen(1024, 768);
const QRect Main(300, 200, 200, 100);
const QSize Wanted(100, 60);

TEST(FreeSpot, TakesTheFirstFreeBlockRowByRow) {
    const struct {
        const char* name;
        QRect main;
        std::vector<QRect> windows;
        QPoint spot;
    } cases[] = {
        {"nothing in the way", Main, {}, {100, 100}},
        // Only 70 % x 50 % of a window counts: 14 x 6 cells from (20, 20).
        {"a window in the first place", Main, {{100, 100, 100, 60}}, {170, 100}},
        {"a window off the screen's corner counts from 0",
         Main,
         {{-50, -50, 400, 400}},
         {280, 100}},
        {"two windows side by side", Main, {{100, 100, 100, 60}, {170, 100, 100, 60}}, {240, 100}},
        // Cells (0, 0) to (40, 20) are the main window's own.
        {"a main window at the corner", {0, 0, 200, 100}, {}, {200, 0}},
    };
    for (const auto& c : cases) {
        const QPoint spot =
            FindFreeSpot({Screen, c.main, c.windows, Wanted}, [](int) -> int { throw 0; });
        EXPECT_EQ(spot, c.spot) << c.name;
    }
}

TEST(FreeSpot, AFullGridGivesARandomPlaceOnTheUsableArea) {
    std::vector<int> bounds;
    const auto last = [&](int bound) {
        bounds.push_back(bound);
        return bound - 1;
    };
    const QPoint spot = FindFreeSpot({Screen, Main, {{0, 0, 4000, 4000}}, Wanted}, last);
    EXPECT_EQ(bounds, (std::vector<int>{198, 140}));
    EXPECT_EQ(spot, QPoint(197 * 5, 139 * 5));
}

} // namespace
