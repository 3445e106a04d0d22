#include "platform/tool_window.h"
#include "platform/window_shape.h"
#include "platform/x11_window_state.h"
#include "skins/bitmap_region.h"
#include "tests/support/gui_wait.h"
#include "tests/support/x11_test.h"

#include <QPainter>
#include <QWidget>
#include <QWindow>
#include <optional>

namespace {

// A frameless window painted all over with its picture and shaped like it.
class PictureWindow : public QWidget {
public:
    explicit PictureWindow(QImage picture) : picture(std::move(picture)) {
        setWindowFlags(Qt::FramelessWindowHint);
        resize(this->picture.size());
    }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).drawImage(0, 0, picture); }

private:
    QImage picture;
};

// A red disc on white; white (the top-left colour) is left out of the shape.
QImage Disc() {
    QImage picture(120, 80, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::red);
    painter.drawEllipse(QRect(10, 0, 80, 80));
    return picture;
}

constexpr QRgb Red = qRgb(255, 0, 0);

class ShapedWindowTest : public X11Test {};

TEST_F(ShapedWindowTest, ShowsThePictureInsideTheShapeAndTheDesktopOutside) {
    const QImage picture = Disc();
    PictureWindow window(picture);
    window.move(200, 150);
    SetWindowShape(&window, BitmapToRegion(picture, picture.pixel(0, 0)));
    const QImage before = GrabScreen();
    ShowAndWait(&window);

    const QPoint origin = window.mapToGlobal(QPoint(0, 0));
    const QPoint inside = origin + QPoint(50, 40);
    QImage after;
    ASSERT_TRUE(WaitOnGuiThread(
        [&] {
            after = GrabScreen();
            return after.pixel(inside) == Red;
        },
        5000));
    for (const QPoint outside : {QPoint(0, 0), QPoint(119, 79), QPoint(5, 40), QPoint(110, 40)}) {
        const QPoint at = origin + outside;
        EXPECT_EQ(after.pixel(at), before.pixel(at)) << outside.x() << "," << outside.y();
    }
}

TEST_F(ShapedWindowTest, AnEmptyShapeShowsNothingOfTheWindow) {
    QImage plain(60, 40, QImage::Format_RGB32);
    plain.fill(Qt::red);
    PictureWindow window(plain);
    window.move(300, 300);
    SetWindowShape(&window, BitmapToRegion(plain, plain.pixel(0, 0)));
    const QImage before = GrabScreen();
    ShowAndWait(&window);
    // A second window over the same place, shaped as a rectangle, shows when the first has
    // surely been drawn if it were visible.
    PictureWindow marker(plain);
    marker.move(window.pos() + QPoint(30, 0));
    ShowAndWait(&marker);
    const QPoint origin = window.mapToGlobal(QPoint(0, 0));
    const QPoint markerInside = marker.mapToGlobal(QPoint(25, 20));
    QImage after;
    ASSERT_TRUE(WaitOnGuiThread(
        [&] {
            after = GrabScreen();
            return after.pixel(markerInside) == Red;
        },
        5000));
    EXPECT_EQ(after.pixel(origin + QPoint(10, 20)), before.pixel(origin + QPoint(10, 20)));
}

TEST_F(ShapedWindowTest, ToolWindowsStayOutOfTheTaskBar) {
    QWidget owner;
    owner.resize(100, 100);
    ShowAndWait(&owner);
    QWidget tool;
    tool.resize(50, 50);
    MakeOwnedToolWindow(&tool, &owner, Qt::FramelessWindowHint);
    ShowAndWait(&tool);
    EXPECT_EQ(tool.parentWidget(), &owner);
    const QString state =
        RunX11Tool("xprop", {"-id", QString::number(tool.winId()), "_NET_WM_STATE"});
    EXPECT_TRUE(state.contains("_NET_WM_STATE_SKIP_TASKBAR")) << state.toStdString();
    EXPECT_TRUE(state.contains("_NET_WM_STATE_SKIP_PAGER")) << state.toStdString();
}

TEST_F(ShapedWindowTest, AMappedWindowLeavesTheTaskBarByRequest) {
    QWidget window;
    window.resize(50, 50);
    ShowAndWait(&window);
    AddSkipTaskbarState(window.windowHandle());
    // The window manager writes the state afresh when it minimises the window: what it was not
    // asked for is lost then.
    const QString id = QString::number(window.winId());
    RunX11Tool("xdotool", {"windowminimize", id});
    QString state;
    ASSERT_TRUE(WaitOnGuiThread(
        [&] {
            state = RunX11Tool("xprop", {"-id", id, "_NET_WM_STATE"});
            return state.contains("_NET_WM_STATE_HIDDEN");
        },
        5000))
        << state.toStdString();
    EXPECT_TRUE(state.contains("_NET_WM_STATE_SKIP_TASKBAR")) << state.toStdString();
    EXPECT_TRUE(state.contains("_NET_WM_STATE_SKIP_PAGER")) << state.toStdString();
}

} // namespace
