#include "platform/screen_area.h"

#include <QGuiApplication>
#include <QScreen>
#include <climits>
#include <gtest/gtest.h>

namespace {

TEST(ScreenArea, AWindowIsMovedTheLeastWayThatPutsItWithinTheScreen) {
    ASSERT_EQ(QGuiApplication::screens().size(), 1);
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const QSize size(100, 50);
    const int lastLeft = area.x() + area.width() - size.width();
    const int lastTop = area.y() + area.height() - size.height();
    const struct {
        QPoint stored;
        QPoint placed;
    } cases[] = {
        {area.topLeft() + QPoint(10, 20), area.topLeft() + QPoint(10, 20)},
        {QPoint(lastLeft, lastTop), QPoint(lastLeft, lastTop)},
        {QPoint(lastLeft + 1, area.y() + 5), QPoint(lastLeft, area.y() + 5)},
        {QPoint(area.x() + 5, area.y() - 1), QPoint(area.x() + 5, area.y())},
        {QPoint(INT_MAX, INT_MAX), QPoint(lastLeft, lastTop)},
        {QPoint(INT_MIN, INT_MIN), area.topLeft()},
        {QPoint(INT_MIN, INT_MAX), QPoint(area.x(), lastTop)},
        {QPoint(INT_MAX, INT_MIN), QPoint(lastLeft, area.y())},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ClampToScreens(c.stored, size), c.placed) << c.stored.x() << "," << c.stored.y();
    }
}

TEST(ScreenArea, AWindowLargerThanTheScreenShowsItsTopLeftCorner) {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(ClampToScreens(QPoint(INT_MAX, 7), area.size() + QSize(10, 10)), area.topLeft());
}

} // namespace
