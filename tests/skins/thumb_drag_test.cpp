#include "skins/bitmap_scroll_bar.h"
#include "skins/thumb_window.h"
#include "tests/support/gui_wait.h"
#include "tests/support/x11_test.h"

#include <QWidget>
#include <vector>

namespace {

class ThumbDragTest : public X11Test {};

QString Number(int value) {
    return QString::number(value);
}

TEST_F(ThumbDragTest, DraggingReportsTrackThenPositionAndEndAndFollowsTheLine) {
    QWidget window;
    window.setWindowFlags(Qt::FramelessWindowHint);
    window.resize(400, 200);
    auto* bar = new TBitmapScrollBar(&window);
    bar->move(50, 50);
    bar->SetScrollStartPos({0, 10});
    bar->SetScrollEndPos({200, 50});
    bar->SetMax(100);
    std::vector<TScrollCode> codes;
    bar->OnScroll = [&](TCustomBitmapScrollBar*, TScrollCode code, int&) { codes.push_back(code); };
    window.move(100, 100);
    ShowAndWait(&window);

    TThumbWindow* thumb = bar->ThumbWindow();
    const QPoint grip = thumb->mapToGlobal(QPoint(12, 12));
    RunX11Tool("xdotool", {"mousemove", Number(grip.x()), Number(grip.y())});
    PressMouseButton(1);
    ASSERT_TRUE(WaitOnGuiThread([&] { return !codes.empty(); }, 5000));
    // The mouse wanders off the line; the thumb stays on it.
    for (const QPoint offset : {QPoint(30, 40), QPoint(70, -20), QPoint(100, 30)}) {
        const std::size_t before = codes.size();
        const QPoint at = grip + offset;
        RunX11Tool("xdotool", {"mousemove", Number(at.x()), Number(at.y())});
        ASSERT_TRUE(WaitOnGuiThread([&] { return codes.size() > before; }, 5000));
    }
    ReleaseMouseButton(1);
    ASSERT_TRUE(WaitOnGuiThread([&] { return codes.back() == scEndScroll; }, 5000));

    ASSERT_GE(codes.size(), 4u);
    EXPECT_EQ(codes[codes.size() - 2], scPosition);
    for (std::size_t i = 0; i + 2 < codes.size(); ++i) {
        EXPECT_EQ(codes[i], scTrack) << "code " << i;
    }
    // Proposed top-left (100, 40) projects to (100, 30) on the line from (0, 10) to (200, 50).
    EXPECT_EQ(thumb->pos() - bar->pos(), QPoint(100, 30));
    EXPECT_EQ(bar->Position(), 50);
}

} // namespace
