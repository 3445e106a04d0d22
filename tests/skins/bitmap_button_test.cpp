#include "skins/bitmap_button.h"
#include "tests/support/mouse_events.h"

#include <QApplication>
#include <QPainter>
#include <gtest/gtest.h>
#include <optional>
#include <utility>
#include <vector>

namespace {

QImage Filled(QColor colour) {
    QImage picture(10, 10, QImage::Format_RGB32);
    picture.fill(colour);
    // A bottom-left pixel of its own, so that the rest is inside the shape.
    picture.setPixel(0, 9, qRgb(0, 0, 0));
    return picture;
}

// Counts the presses and releases that reach it.
class MouseCountingWindow : public QWidget {
public:
    int mouseEvents = 0;

protected:
    void mousePressEvent(QMouseEvent*) override { ++mouseEvents; }
    void mouseReleaseEvent(QMouseEvent*) override { ++mouseEvents; }
};

struct ClickCase {
    const char* name;
    bool toggleType;
    // Downed after each press and each release, two clicks in a row.
    std::vector<bool> downedAfterEachStep;
    std::vector<bool> toggledAfterEachStep;
};

class ButtonClickTest : public testing::TestWithParam<ClickCase> {};

TEST_P(ButtonClickTest, FollowsPressAndRelease) {
    const ClickCase& test = GetParam();
    TBitmapButton button;
    button.SetToggleType(test.toggleType);
    for (std::size_t step = 0; step < 4; ++step) {
        SendMouse(button, step % 2 == 0 ? QEvent::MouseButtonPress : QEvent::MouseButtonRelease);
        EXPECT_EQ(button.IsDowned(), test.downedAfterEachStep[step]) << "step " << step;
        EXPECT_EQ(button.Toggled(), test.toggledAfterEachStep[step]) << "step " << step;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, ButtonClickTest,
    testing::Values(
        ClickCase{"Plain", false, {true, false, true, false}, {false, false, false, false}},
        // Latched by the first click, released only when the second one goes up.
        ClickCase{"Toggle", true, {true, true, true, false}, {true, true, false, false}}),
    [](const auto& info) { return info.param.name; });

TEST(BitmapButtonTest, KeepsItsPressesAndReleasesFromTheWindowBeneath) {
    MouseCountingWindow window;
    auto* button = new TBitmapButton(&window);
    SendMouse(*button, QEvent::MouseButtonPress);
    SendMouse(*button, QEvent::MouseButtonRelease);
    EXPECT_EQ(window.mouseEvents, 0);
}

TEST(BitmapButtonTest, LeavesPressesOutsideItsShapeToTheWindowBeneath) {
    MouseCountingWindow window;
    auto* button = new TBitmapButton(&window);
    // The drawn pictures leave a 2-pixel margin out of the shape.
    button->grab();
    SendMouse(*button, QEvent::MouseButtonPress, {1, 1});
    EXPECT_EQ(window.mouseEvents, 1);
    EXPECT_FALSE(button->IsDowned());
}

struct ClickEventCase {
    const char* name;
    std::vector<std::pair<QEvent::Type, QPointF>> events;
    int clicks;
};

class ButtonClickEventTest : public testing::TestWithParam<ClickEventCase> {};

TEST_P(ButtonClickEventTest, ClicksOnAReleaseOverTheButtonAfterAPress) {
    TBitmapButton button;
    int clicks = 0;
    button.OnClick = [&](TCustomBitmapButton* sender) {
        EXPECT_EQ(sender, &button);
        ++clicks;
    };
    for (const auto& [type, at] : GetParam().events) {
        SendMouse(button, type, at);
    }
    EXPECT_EQ(clicks, GetParam().clicks);
}

constexpr auto Press = QEvent::MouseButtonPress;
constexpr auto Release = QEvent::MouseButtonRelease;
constexpr auto DoubleClick = QEvent::MouseButtonDblClick;

INSTANTIATE_TEST_SUITE_P(
    Buttons, ButtonClickEventTest,
    testing::Values(
        ClickEventCase{"PressAndRelease", {{Press, {5, 5}}, {Release, {45, 45}}}, 1},
        ClickEventCase{"ReleasedOutside", {{Press, {5, 5}}, {Release, {60, 5}}}, 0},
        ClickEventCase{"ReleaseAlone", {{Release, {5, 5}}}, 0},
        // The second press of a double click comes as a double click of its own.
        ClickEventCase{
            "DoubleClick",
            {{Press, {5, 5}}, {Release, {5, 5}}, {DoubleClick, {5, 5}}, {Release, {5, 5}}},
            1}),
    [](const auto& info) { return info.param.name; });

TEST(BitmapButtonTest, ShowsTheDisabledPictureOnlyWhenItselfIsDisabled) {
    QWidget window;
    auto* button = new TBitmapButton(&window);
    button->SetGlyph(Filled(Qt::green));
    button->SetBitmapDisabled(Filled(Qt::red));
    const auto shown = [&] { return button->grab().toImage().pixel(5, 5); };
    // The program disables its main window during long work.
    window.setEnabled(false);
    EXPECT_EQ(shown(), qRgb(0, 255, 0));
    window.setEnabled(true);
    button->setEnabled(false);
    EXPECT_EQ(shown(), qRgb(255, 0, 0));
}

TEST(BitmapButtonTest, DownedOnAToggleButtonLatchesIt) {
    TBitmapButton button;
    button.SetToggleType(true);
    button.SetDowned(true);
    EXPECT_TRUE(button.Toggled());
    button.SetToggled(false);
    EXPECT_FALSE(button.IsDowned());
}

TEST(BitmapButtonTest, PressedPictureIsTheNormalOneMovedRightOneAndDownTwo) {
    QImage glyph(4, 3, QImage::Format_RGB32);
    glyph.fill(Qt::green);
    glyph.setPixel(0, 0, qRgb(200, 0, 0));
    glyph.setPixel(3, 1, qRgb(0, 0, 200));
    TBitmapButton button;
    button.SetGlyph(glyph);
    // A picture from outside ends the drawn ones; the others are derived from it.
    EXPECT_FALSE(button.AutoCreateBitmap());
    EXPECT_TRUE(button.BitmapDowned().Empty());

    SendMouse(button, QEvent::MouseButtonPress, {0, 0});
    const QImage shown = button.grab().toImage().convertToFormat(QImage::Format_RGB32);

    QImage expected(5, 5, QImage::Format_RGB32);
    expected.fill(Qt::green);
    QPainter(&expected).drawImage(1, 2, glyph);
    EXPECT_EQ(button.BitmapDowned().Image(), expected);
    EXPECT_EQ(button.Shape(), std::optional<QRegion>(QRegion(1, 2, 1, 1) + QRegion(4, 3, 1, 1)));
    EXPECT_EQ(shown.pixel(1, 2), qRgb(200, 0, 0));
    EXPECT_EQ(shown.pixel(4, 3), qRgb(0, 0, 200));
    EXPECT_EQ(button.BitmapHighlighted().Image(), glyph);
}

// Presses go by the shape of the picture the state shows, before the button has painted it.
TEST(BitmapButtonTest, TakesTheShapeOfEachStateBeforeItPaints) {
    QImage glyph(4, 3, QImage::Format_RGB32);
    glyph.fill(Qt::green);
    glyph.setPixel(1, 1, qRgb(200, 0, 0));
    QImage highlighted = glyph;
    highlighted.setPixel(2, 0, qRgb(0, 0, 200));
    TBitmapButton button;
    button.SetGlyph(glyph);
    button.SetBitmapHighlighted(highlighted);
    EXPECT_EQ(button.Shape(), std::optional<QRegion>(QRegion(1, 1, 1, 1)));
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(&button, &enter);
    EXPECT_EQ(button.Shape(), std::optional<QRegion>(QRegion(1, 1, 1, 1) + QRegion(2, 0, 1, 1)));
    SendMouse(button, QEvent::MouseButtonPress, {1, 1});
    EXPECT_EQ(button.Shape(), std::optional<QRegion>(QRegion(2, 3, 1, 1)));
}

TEST(BitmapButtonTest, DrawnPicturesLeaveATwoPixelBlueMarginOutOfTheShape) {
    TBitmapButton button;
    button.grab();
    ASSERT_TRUE(button.AutoCreateBitmap());
    for (const TBitmapRgn* picture : {&button.Glyph(), &button.BitmapDowned(),
                                      &button.BitmapHighlighted(), &button.BitmapDisabled()}) {
        EXPECT_EQ(picture->Size(), QSize(50, 50));
        EXPECT_EQ(picture->TransparentColor(), qRgb(0, 0, 255));
        ASSERT_TRUE(picture->Region());
        EXPECT_TRUE(picture->Region()->xored(QRegion(2, 2, 46, 46)).isEmpty());
    }
    ASSERT_TRUE(button.Shape());
    EXPECT_TRUE(button.Shape()->xored(QRegion(2, 2, 46, 46)).isEmpty());
}

} // namespace
