#include "skins/bitmap_scroll_bar.h"
#include "skins/thumb_window.h"

#include <QApplication>
#include <QMouseEvent>
#include <gtest/gtest.h>
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

    QWidget parent;
    TBitmapScrollBar* bar;
    std::vector<std::pair<TScrollCode, int>> scrolls;
    int changes = 0;
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

} // namespace
