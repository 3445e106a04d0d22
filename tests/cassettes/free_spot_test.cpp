#include "cassettes/free_spot.h"

#include <gtest/gtest.h>

namespace {

// A 1024 x 768 screen and a 200 x 100 main window at (300, 200): the area around it runs from
// (100, 100) to (700, 400); the window looking for a place is 100 x 60.
const QRect Screen(0, 0, 1024, 768);
const QRect Main(300, 200, 200, 100);
const QSize Wanted(100, 60);

TEST(FreeSpot, TakesTheFirstPlaceRowByRowWhereTheWholeWindowIsFree) {
    const struct {
        const char* name;
        QRect screen;
        QRect main;
        std::vector<QRect> windows;
        QPoint spot;
    } cases[] = {
        {"nothing in the way", Screen, Main, {}, {100, 100}},
        {"a window in the first place", Screen, Main, {{100, 100, 100, 60}}, {200, 100}},
        // A cell that a window only touches is taken all the same.
        {"a window ending inside a cell", Screen, Main, {{100, 100, 102, 60}}, {205, 100}},
        {"a window lower down by half its height", Screen, Main, {{100, 130, 100, 60}}, {200, 100}},
        {"two windows side by side",
         Screen,
         Main,
         {{100, 100, 100, 60}, {200, 100, 100, 60}},
         {300, 100}},
        {"a main window at the corner", Screen, {0, 0, 200, 100}, {}, {200, 0}},
        // The area around the main window is full: the rest of the screen is searched.
        {"nothing free around the main window", Screen, Main, {{100, 100, 600, 300}}, {0, 0}},
        {"a second screen", {1024, 0, 1280, 1024}, {1304, 200, 200, 100}, {}, {1104, 100}},
    };
    for (const auto& c : cases) {
        const QPoint spot =
            FindFreeSpot({c.screen, c.main, c.windows, Wanted}, [](int) -> int { throw 0; });
        EXPECT_EQ(spot, c.spot) << c.name;
    }
}

TEST(FreeSpot, AFullScreenGivesARandomPlaceWhereTheWindowStaysOnTheScreen) {
    std::vector<int> bounds;
    const auto last = [&](int bound) {
        bounds.push_back(bound);
        return bound - 1;
    };
    const QPoint spot = FindFreeSpot({Screen, Main, {{0, 0, 4000, 4000}}, Wanted}, last);
    // (1024 - 100) / 5 + 1 columns and (768 - 60) / 5 + 1 rows keep the window on the screen.
    EXPECT_EQ(bounds, (std::vector<int>{185, 142}));
    EXPECT_EQ(spot, QPoint(184 * 5, 141 * 5));
    EXPECT_TRUE(Screen.contains(QRect(spot, Wanted)));
}

// The windows of one song, ejected one after another onto a 1280 x 1024 screen with the main
// window where a first start puts it: each finds a place of its own, off the main window and
// the docking places.
TEST(FreeSpot, ElevenWindowsEachFindAPlaceOfTheirOwn) {
    const QRect screen(0, 0, 1280, 1024);
    const struct {
        const char* skin;
        QSize main;
        QSize cassette;
        QPoint cassetteDock;
        QSize card;
        QPoint cardDock;
    } skins[] = {
        {"sky", {460, 214}, {260, 86}, {100, 214}, {230, 72}, {115, 214}},
        {"default", {400, 184}, {240, 84}, {400, 50}, {220, 70}, {400, 57}},
    };
    for (const auto& skin : skins) {
        const QRect main(QPoint(80, 32), skin.main);
        const std::vector<QRect> docks = {{main.topLeft() + skin.cassetteDock, skin.cassette},
                                          {main.topLeft() + skin.cardDock, skin.card}};
        std::vector<QRect> placed;
        for (int i = 0; i < 11; ++i) {
            // Cards and cassettes in turn: six cards, five cassettes.
            const QSize size = i % 2 == 0 ? skin.card : skin.cassette;
            std::vector<QRect> obstacles = placed;
            obstacles.insert(obstacles.end(), docks.begin(), docks.end());
            const QRect window(
                FindFreeSpot({screen, main, obstacles, size}, [](int) -> int { throw 0; }), size);
            EXPECT_TRUE(screen.contains(window)) << skin.skin << " window " << i;
            EXPECT_FALSE(window.intersects(main)) << skin.skin << " window " << i;
            for (const QRect& other : obstacles) {
                EXPECT_FALSE(window.intersects(other)) << skin.skin << " window " << i;
            }
            placed.push_back(window);
        }
    }
}

} // namespace
