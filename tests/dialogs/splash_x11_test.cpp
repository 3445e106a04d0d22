#include "dialogs/splash_frm.h"
#include "tests/support/temp_dir.h"
#include "tests/support/x11_test.h"

#include <QDir>
#include <QImage>

namespace {

using SplashOnX11Test = X11Test;

// The start-up goes on without handling events: the picture must be on the screen when the
// splash has been shown, before any event is handled.
TEST_F(SplashOnX11Test, ThePictureIsOnTheScreenBeforeAnyEventIsHandled) {
    const QColor colour(200, 30, 40);
    TempDir folder;
    const QString programFolder = QString::fromStdString(folder.Path());
    QDir(programFolder).mkdir("Skins");
    QImage picture(180, 90, QImage::Format_RGB32);
    picture.fill(colour);
    ASSERT_TRUE(picture.save(programFolder + "/Skins/splash.bmp"));

    const QPointer<TSplashfrm> splash = ShowSplash(programFolder);
    ASSERT_FALSE(splash.isNull());
    const QImage screen = GrabScreen();
    const QRect area = splash->geometry();
    for (const QPoint at : {area.topLeft(), area.center(), area.bottomRight()}) {
        EXPECT_EQ(screen.pixelColor(at).name(), colour.name()) << at.x() << "," << at.y();
    }
    delete splash.data();
}

} // namespace
