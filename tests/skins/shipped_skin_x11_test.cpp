// The shipped skins on a real X display, where nothing repaints what a control leaves behind
// unless the window system is told to: outside a control's shape, and where a control was
// hidden, the main window's picture shows.
#include "actions/event_module.h"
#include "skins/bitmap_button.h"
#include "skins/skin_background.h"
#include "skins/skin_loader.h"
#include "skins/skin_target.h"
#include "tests/support/gui_wait.h"
#include "tests/support/x11_test.h"

#include <QWidget>
#include <vector>

namespace {

const QString SkinsFolder = QStringLiteral(QUAVREL_PROGRAM_FOLDER "/Skins/");
constexpr int DeadlineMs = 10000;

using F = TSkinFunction;

class ShippedSkinOnScreenTest : public X11Test, public testing::WithParamInterface<const char*> {
protected:
    void SetUp() override {
        X11Test::SetUp();
        if (IsSkipped()) {
            return;
        }
        ASSERT_TRUE(LoadSkin(target, QString::fromLatin1(GetParam())));
        // As the controller shows a song with no card or cassette docked: the speed panel is
        // empty.
        for (const F group : {F::Ratio, F::WaveSlow, F::WaveFast, F::Velocity, F::SpeedMeterLabel,
                              F::ExecSpeedChange, F::RestoreSpeedChange, F::AutoRec,
                              F::RepeatPlaySwitch, F::Select, F::EjectCassette}) {
            target.Groups[group].SetVisibleAll(false);
        }
        window.move(60, 60);
        ShowAndWait(&window);
    }

    TCustomBitmapButton& Button(F function) {
        auto* button = dynamic_cast<TCustomBitmapButton*>(target.Groups[function].Item(0));
        EXPECT_NE(button, nullptr);
        return *button;
    }

    // The main window's picture at a point of the window.
    QRgb Beneath(QPoint inWindow) const {
        return target.Background()->Picture().pixel(inWindow) | 0xFF000000;
    }

    // Waits until the screen shows picture at rect's top-left corner of the window in every
    // pixel of `where` (picture coordinates); returns the screen then.
    QImage WaitForPicture(const QImage& picture, QPoint at, const std::vector<QPoint>& where) {
        QImage screen;
        const QPoint origin = window.mapToGlobal(at);
        const bool shown = WaitOnGuiThread(
            [&] {
                screen = GrabScreen();
                for (const QPoint point : where) {
                    if (screen.pixel(origin + point) != (picture.pixel(point) | 0xFF000000)) {
                        return false;
                    }
                }
                return true;
            },
            DeadlineMs);
        EXPECT_TRUE(shown) << "the picture never showed at " << at.x() << "," << at.y();
        return screen;
    }

    // How many pixels of rect (window coordinates) the screen does not show as the main
    // window's picture, and the first few of them; empty when there are none.
    std::string Differences(const QImage& screen, const QRect& rect) const {
        int count = 0;
        std::string first;
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            for (int x = rect.left(); x <= rect.right(); ++x) {
                const QPoint point(x, y);
                if (screen.pixel(window.mapToGlobal(point)) != Beneath(point) && ++count <= 4) {
                    first += " (" + std::to_string(x) + "," + std::to_string(y) + ")";
                }
            }
        }
        return count == 0 ? std::string() : std::to_string(count) + " pixels, first" + first;
    }

    QWidget window;
    TEventModule commands;
    SkinTarget target{&window, commands, SkinsFolder};
};

TEST_P(ShippedSkinOnScreenTest, TheCornersOfAButtonShowTheWindowsPicture) {
    TCustomBitmapButton& play = Button(F::Play);
    const QImage glyph = play.Glyph().Image();
    const QPoint centre(glyph.width() / 2, glyph.height() / 2);
    const QImage screen = WaitForPicture(glyph, play.pos(), {centre});
    const QPoint last(glyph.width() - 1, glyph.height() - 1);
    for (const QPoint corner : {QPoint(0, 0), QPoint(last.x(), 0), QPoint(0, last.y()), last}) {
        ASSERT_EQ(glyph.pixel(corner), glyph.pixel(0, last.y())) << "not outside the shape";
        const QPoint inWindow = play.pos() + corner;
        EXPECT_EQ(screen.pixel(window.mapToGlobal(inWindow)), Beneath(inWindow))
            << corner.x() << "," << corner.y();
    }
}

TEST_P(ShippedSkinOnScreenTest, AButtonHiddenAfterAPressLeavesTheWindowsPicture) {
    TCustomBitmapButton& eject = Button(F::Eject);
    const QImage downed = eject.BitmapDowned().Image();
    const QPoint centre(downed.width() / 2, downed.height() / 2);
    WaitForPicture(eject.Glyph().Image(), eject.pos(), {centre});
    eject.SetDowned(true);
    WaitForPicture(downed, eject.pos(), {centre, {centre.x(), downed.height() - 2}});
    target.Groups[F::Eject].SetVisibleAll(false);
    const QRect place = eject.geometry();
    QImage screen;
    WaitOnGuiThread(
        [&] {
            screen = GrabScreen();
            return Differences(screen, place).empty();
        },
        DeadlineMs);
    EXPECT_EQ(Differences(screen, place), "");
}

TEST_P(ShippedSkinOnScreenTest, AHiddenRatioBarLeavesNoThumbInTheSpeedPanel) {
    QWidget* bar = target.Groups[F::Ratio].Item(0);
    ASSERT_NE(bar, nullptr);
    TCustomBitmapButton& play = Button(F::Play);
    const QImage screen = WaitForPicture(play.Glyph().Image(), play.pos(),
                                         {QPoint(play.width() / 2, play.height() / 2)});
    // The thumb stands on the bar's track, which may reach past the bar's ends.
    const QRect track = bar->geometry().adjusted(-bar->height(), 0, bar->height(), 0);
    EXPECT_EQ(Differences(screen, track), "");
}

INSTANTIATE_TEST_SUITE_P(Skins, ShippedSkinOnScreenTest, testing::Values("sky", "default"));

} // namespace
