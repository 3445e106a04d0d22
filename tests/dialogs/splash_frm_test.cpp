#include "dialogs/splash_frm.h"
#include "tests/support/temp_dir.h"

#include <QDir>
#include <QImage>
#include <QLabel>
#include <gtest/gtest.h>

namespace {

// A program folder with a splash picture of 180 x 90.
class SplashTest : public testing::Test {
protected:
    SplashTest() {
        QDir(programFolder).mkdir("Skins");
        QImage(180, 90, QImage::Format_RGB32).save(programFolder + "/Skins/splash.bmp");
    }

    TempDir folder;
    const QString programFolder = QString::fromStdString(folder.Path());
};

TEST_F(SplashTest, TakesTheSizeOfItsPicture) {
    const QPointer<TSplashfrm> splash = ShowSplash(programFolder);
    ASSERT_FALSE(splash.isNull());
    EXPECT_TRUE(splash->isVisible());
    EXPECT_EQ(splash->size(), QSize(180, 90));
    EXPECT_EQ(splash->Image1->geometry(), QRect(0, 0, 180, 90));
    EXPECT_EQ(splash->windowTitle(), "Quavrel");
    delete splash.data();
}

// A question asked during start-up must not stand behind the splash.
TEST_F(SplashTest, ItHidesWhenAnotherWindowOfTheProgramShows) {
    const QPointer<TSplashfrm> splash = ShowSplash(programFolder);
    ASSERT_FALSE(splash.isNull());
    QWidget question;
    question.show();
    EXPECT_FALSE(splash->isVisible());
    delete splash.data();
}

TEST_F(SplashTest, WithoutItsPictureThereIsNoSplash) {
    TempDir empty;
    EXPECT_TRUE(ShowSplash(QString::fromStdString(empty.Path())).isNull());
}

} // namespace
