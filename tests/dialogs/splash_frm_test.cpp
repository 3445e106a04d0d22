#include "dialogs/splash_frm.h"
#include "tests/support/temp_dir.h"

#include <QDir>
#include <QImage>
#include <QLabel>
#include <gtest/gtest.h>

namespace {

TEST(SplashTest, TakesTheSizeOfItsPicture) {
    TempDir folder;
    const QString programFolder = QString::fromStdString(folder.Path());
    QDir(programFolder).mkdir("Skins");
    QImage(180, 90, QImage::Format_RGB32).save(programFolder + "/Skins/splash.bmp");
    const QPointer<TSplashfrm> splash = ShowSplash(programFolder);
    ASSERT_FALSE(splash.isNull());
    EXPECT_TRUE(splash->isVisible());
    EXPECT_EQ(splash->size(), QSize(180, 90));
    EXPECT_EQ(splash->Image1->geometry(), QRect(0, 0, 180, 90));
    EXPECT_EQ(splash->windowTitle(), "Quavrel");
    delete splash.data();
}

TEST(SplashTest, WithoutItsPictureThereIsNoSplash) {
    TempDir folder;
    EXPECT_TRUE(ShowSplash(QString::fromStdString(folder.Path())).isNull());
}

} // namespace
