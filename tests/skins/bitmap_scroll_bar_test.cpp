#include "skins/bitmap_scroll_bar.h"
#include "skins/thumb_window.h"

#include <QApplication>
#include <QMouseEvent>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace {

struct TrackCase {
    const char* name;
    ScrollTrack track;
    int position;
    QPoint point;
};

class ScrollTrackTest : public testing::TestWithParam<TrackCase> {};

TEST_P(ScrollTrackTest, PositionToPointAndBack) {
    const TrackCase& test = GetParam();
    EXPECT_EQ(test.track.PositionToPoint(test.position), test.point);
    EXPECT_EQ(test.track.PointToPosition(test.point), test.position);
}

INSTANTIATE_TEST_SUITE_P(
    Tracks, ScrollTrackTest,
    testing::Values(TrackCase{"Slanted", {{0, 10}, {100, 30}, sbHorizontal, 0, 100}, 50, {50, 20}},
                    TrackCase{"Vertical", {{5, 0}, {25, 200}, sbVertical, 10, 30}, 20, {15, 100}},
                    TrackCase{"Reversed", {{100, 0}, {0, 0}, sbHorizontal, 0, 10}, 3, {70, 0}},
                    // 2.5 and 7.5 of the value coordinate go to the even neighbours 2 and 8.
                    TrackCase{"HalfDownToEven", {{0, 0}, {5, 5}, sbHorizontal, 0, 2}, 1, {2, 2}},
                    TrackCase{"HalfUpToEven", {{0, 0}, {15, 0}, sbHorizontal, 0, 2}, 1, {8, 0}}),
    [](const auto& info) { return info.param.name; });

TEST(ScrollTrackTest, ProjectionClampsToTheEndsAndFollowsTheLine) {
    const ScrollTrack track{{0, 10}, {100, 30}, sbHorizontal, 0, 100};
    EXPECT_EQ(track.Project({-40, 0}), QPoint(0, 10));
    EXPECT_EQ(track.Project({150, 0}), QPoint(100, 30));
    EXPECT_EQ(track.Project({25, 99}), QPoint(25, 15));
    const ScrollTrack upright{{7, 0}, {7, 50}, sbHorizontal, 0, 100};
    EXPECT_EQ(upright.Project({30, 30}), QPoint(7, 0));
    EXPECT_EQ(upright.PointToPosition({7, 0}), 0);
}

TEST(ScrollTrackTest, RoundsTheExactValueOnceHalvesToEven) {
    // Each is 7.5 exactly (11 * 15 / 22 and 15 * 11 / 22), though not in floating point.
    EXPECT_EQ((ScrollTrack{{0, 0}, {11, 0}, sbHorizontal, 0, 22}.PositionToPoint(15)),
              QPoint(8, 0));
    EXPECT_EQ((ScrollTrack{{0, 0}, {22, 15}, sbHorizontal, 0, 1}.Project({11, 0})), QPoint(11, 8));
    EXPECT_EQ((ScrollTrack{{0, 0}, {22, 0}, sbHorizontal, 0, 11}.PointToPosition({15, 0})), 8);
}

TEST(ScrollTrackTest, ExtremeValuesStayOnTheTrack) {
    constexpr int lowest = std::numeric_limits<int>::min();
    constexpr int highest = std::numeric_limits<int>::max();
    // Position is not clamped again when the range shrinks.
    const ScrollTrack shrunk{{0, 10}, {100, 30}, sbHorizontal, 0, 10};
    EXPECT_EQ(shrunk.PositionToPoint(highest), QPoint(100, 30));
    EXPECT_EQ(shrunk.PositionToPoint(lowest), QPoint(0, 10));
    const ScrollTrack widest{{lowest, lowest}, {highest, highest}, sbVertical, lowest, highest};
    EXPECT_EQ(widest.PositionToPoint(highest), QPoint(highest, highest));
    EXPECT_EQ(widest.PositionToPoint(0), QPoint(0, 0));
    EXPECT_EQ(widest.Project({5, lowest}), QPoint(lowest, lowest));
    EXPECT_EQ(widest.PointToPosition({0, highest}), highest);
    const ScrollTrack steep{{0, 0}, {1, 0}, sbHorizontal, lowest, highest};
    EXPECT_EQ(steep.PointToPosition({highest, 0}), highest);
    EXPECT_EQ(steep.PointToPosition({lowest, 0}), lowest);
}

class ScrollBarTest : public testing::Test {
protected:
    ScrollBarTest() {
        parent.resize(400, 300);
        bar = new TBitmapScrollBar(&parent);
        bar->move(30, 40);
        bar->OnScroll = [this](TCustomBitmapScrollBar*, TScrollCode code, int& position) {
            scrolls.push_back({code, position});
        };
        bar->OnChange = [this](TCustomBitmapScrollBar*) { ++changes; };
        // Hidden widgets hear of resizes only when shown.
        parent.show();
    }

    QPoint ThumbInBar() const { return bar->ThumbWindow()->pos() - bar->pos(); }

    void SendToThumb(QEvent::Type type, QPoint offset, Qt::MouseButtons buttons) {
        TThumbWindow* thumb = bar->ThumbWindow();
        const QPointF at = QPointF(12, 12) + offset;
        QMouseEvent event(type, at, thumb->mapToGlobal(at),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(thumb, &event);
    }

    QWidget parent;
    TBitmapScrollBar* bar;
    std::vector<std::pair<TScrollCode, int>> scrolls;
    int changes = 0;
    // A window that blocks all others while it is shown.
    QWidget modal;
};

TEST_F(ScrollBarTest, PlacesTheThumbOnTheSlantedTrack) {
    bar->SetScrollStartPos({0, 10});
    bar->SetScrollEndPos({100, 30});
    EXPECT_FALSE(bar->AutoDecideStartEndPos());
    bar->SetMax(100);
    bar->SetPosition(50);
    EXPECT_EQ(bar->ThumbWindow()->parentWidget(), &parent);
    EXPECT_EQ(ThumbInBar(), QPoint(50, 20));
    bar->SetPosition(130);
    EXPECT_EQ(bar->Position(), 100);
    EXPECT_EQ(changes, 2);
    EXPECT_TRUE(scrolls.empty());
}

TEST_F(ScrollBarTest, MaxBelowMinLowersMinAndTheThumbGoesToTheStart) {
    bar->SetScrollStartPos({0, 10});
    bar->SetScrollEndPos({100, 30});
    bar->SetMax(100);
    bar->SetMin(20);
    bar->SetPosition(60);
    bar->SetMax(10);
    EXPECT_EQ(bar->Min(), 10);
    EXPECT_EQ(bar->Max(), 10);
    EXPECT_EQ(bar->Position(), 60);
    EXPECT_EQ(ThumbInBar(), QPoint(0, 10));
}

TEST_F(ScrollBarTest, StartAndEndFollowTheSizeAlongTheMiddleLine) {
    // The drawn thumb is 25 by 25, its half size 12.
    EXPECT_EQ(bar->size(), QSize(250, 100));
    EXPECT_EQ(bar->ScrollStartPos().Point(), QPoint(-12, 38));
    EXPECT_EQ(bar->ScrollEndPos().Point(), QPoint(238, 38));
    bar->SetKind(sbVertical);
    EXPECT_EQ(bar->ScrollStartPos().Point(), QPoint(113, -12));
    EXPECT_EQ(bar->ScrollEndPos().Point(), QPoint(113, 88));
    bar->resize(40, 300);
    EXPECT_EQ(bar->ScrollEndPos().Point(), QPoint(8, 288));
}

TEST_F(ScrollBarTest, PicturesFromOutsideEndTheDrawnOnesAndSizeTheThumb) {
    QImage thumb(9, 7, QImage::Format_RGB32);
    thumb.fill(Qt::white);
    bar->SetBmpThumb(thumb);
    EXPECT_FALSE(bar->AutoCreateBitmap());
    EXPECT_EQ(bar->ThumbWindow()->size(), QSize(9, 7));
    // The points follow the new thumb: its centre runs along the middle line.
    EXPECT_EQ(bar->ScrollStartPos().Point(), QPoint(-4, 47));
    QImage guide(120, 20, QImage::Format_RGB32);
    guide.fill(Qt::black);
    bar->SetBmpGuide(guide);
    EXPECT_EQ(bar->size(), QSize(120, 20));
    EXPECT_EQ(bar->ScrollEndPos().Point(), QPoint(116, 7));
}

TEST_F(ScrollBarTest, ClickingTheTrackCentresTheThumbThere) {
    bar->SetScrollStartPos({0, 10});
    bar->SetScrollEndPos({100, 30});
    bar->SetMax(100);
    const QPointF click(60 + 12, 80);
    QMouseEvent press(QEvent::MouseButtonPress, click, bar->mapToGlobal(click), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(bar, &press);
    EXPECT_EQ(ThumbInBar(), QPoint(60, 22));
    EXPECT_EQ(bar->Position(), 60);
    const std::vector<std::pair<TScrollCode, int>> expected{{scPosition, 60}, {scEndScroll, 60}};
    EXPECT_EQ(scrolls, expected);
}

TEST(BitmapScrollBarTest, DrawnThumbCoversTheEllipseWithoutItsRightAndBottomEdges) {
    TBitmapScrollBar bar;
    for (const int width : {25, 10}) {
        bar.SetDefaultGuideWidth(width);
        ASSERT_TRUE(bar.BmpThumb().Region());
        EXPECT_EQ(bar.BmpThumb().Region()->boundingRect(), QRect(0, 0, width - 2, width - 2));
    }
}

TEST(BitmapScrollBarTest, ABarHiddenBeforeItsWindowIsShownKeepsItsThumbHidden) {
    QWidget window;
    auto* bar = new TBitmapScrollBar(&window);
    bar->hide();
    window.show();
    EXPECT_FALSE(bar->ThumbWindow()->isVisible());
    bar->show();
    EXPECT_TRUE(bar->ThumbWindow()->isVisible());
    bar->hide();
    EXPECT_FALSE(bar->ThumbWindow()->isVisible());
}

struct HiddenSizeCase {
    const char* name;
    std::function<void(TBitmapScrollBar&)> size;
    QPoint start;
    QPoint end;
};

class HiddenBarTest : public testing::TestWithParam<HiddenSizeCase> {};

// Skins are loaded while the main window is hidden, where Qt holds resize events back.
TEST_P(HiddenBarTest, PointsFollowTheSizeAtOnce) {
    TBitmapScrollBar bar;
    GetParam().size(bar);
    EXPECT_EQ(bar.ScrollStartPos().Point(), GetParam().start);
    EXPECT_EQ(bar.ScrollEndPos().Point(), GetParam().end);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, HiddenBarTest,
    testing::Values(HiddenSizeCase{"SetSize",
                                   [](auto& bar) {
                                       bar.SetSize({300, 30});
                                   },
                                   {-12, 3},
                                   {288, 3}},
                    HiddenSizeCase{"SetBounds",
                                   [](auto& bar) {
                                       bar.SetBounds({5, 5, 40, 300});
                                   },
                                   {-12, 138},
                                   {28, 138}},
                    // The bar takes the guide's size; the drawn thumb stays 25 by 25.
                    HiddenSizeCase{"Guide",
                                   [](auto& bar) {
                                       QImage guide(120, 20, QImage::Format_RGB32);
                                       guide.fill(Qt::black);
                                       bar.SetBmpGuide(guide);
                                   },
                                   {-12, -2},
                                   {108, -2}}),
    [](const auto& info) { return info.param.name; });

class ThumbDragEndTest;

struct DragEndCase {
    const char* name;
    std::function<void(ThumbDragEndTest&)> end;
};

class ThumbDragEndTest : public ScrollBarTest, public testing::WithParamInterface<DragEndCase> {
public:
    using ScrollBarTest::bar;
    using ScrollBarTest::modal;
    using ScrollBarTest::SendToThumb;
};

// The release may never reach the thumb; the drag must end all the same, or the thumb stops
// following the position.
TEST_P(ThumbDragEndTest, EndsOnceAndLetsThePositionMoveTheThumb) {
    bar->SetMax(100);
    SendToThumb(QEvent::MouseButtonPress, {}, Qt::LeftButton);
    SendToThumb(QEvent::MouseMove, {40, 0}, Qt::LeftButton);
    ASSERT_TRUE(bar->ThumbWindow()->Dragging());
    GetParam().end(*this);
    EXPECT_FALSE(bar->ThumbWindow()->Dragging());
    const int position = bar->Position();
    const std::vector<std::pair<TScrollCode, int>> expected{
        {scTrack, 0}, {scTrack, position}, {scPosition, position}, {scEndScroll, position}};
    EXPECT_EQ(scrolls, expected);
    bar->SetPosition(100);
    EXPECT_EQ(ThumbInBar(), QPoint(238, 38));
}

INSTANTIATE_TEST_SUITE_P(
    Ends, ThumbDragEndTest,
    testing::Values(
        DragEndCase{"Released",
                    [](ThumbDragEndTest& test) {
                        test.SendToThumb(QEvent::MouseButtonRelease, {40, 0}, Qt::NoButton);
                    }},
        DragEndCase{"Hidden", [](ThumbDragEndTest& test) { test.bar->hide(); }},
        DragEndCase{"BlockedByAModalWindow",
                    [](ThumbDragEndTest& test) {
                        test.modal.setWindowModality(Qt::ApplicationModal);
                        test.modal.show();
                    }},
        DragEndCase{"MovedWithNoButtonHeld",
                    [](ThumbDragEndTest& test) {
                        test.SendToThumb(QEvent::MouseMove, {50, 0}, Qt::NoButton);
                    }}),
    [](const auto& info) { return info.param.name; });

TEST_F(ScrollBarTest, AModalWindowOpenedForThePressEndsTheDrag) {
    bar->OnScroll = [this](TCustomBitmapScrollBar*, TScrollCode code, int&) {
        scrolls.push_back({code, 0});
        if (code == scTrack) {
            modal.setWindowModality(Qt::ApplicationModal);
            modal.show();
        }
    };
    SendToThumb(QEvent::MouseButtonPress, {}, Qt::LeftButton);
    EXPECT_FALSE(bar->ThumbWindow()->Dragging());
    const std::vector<std::pair<TScrollCode, int>> expected{
        {scTrack, 0}, {scPosition, 0}, {scEndScroll, 0}};
    EXPECT_EQ(scrolls, expected);
}

} // namespace
