#include "platform/window_shape.h"
#include "skins/bitmap_region.h"
#include "skins/bitmap_rgn.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace {

TEST(BitmapRegionTest, ASingleRedPixelOnWhiteIsThatPixel) {
    QImage picture(3, 2, QImage::Format_RGB32);
    picture.fill(Qt::white);
    picture.setPixel(1, 0, qRgb(255, 0, 0));
    TBitmapRgn bitmap;
    bitmap.Assign(picture);
    ASSERT_TRUE(bitmap.Region());
    EXPECT_EQ(*bitmap.Region(), QRegion(1, 0, 1, 1));
}

TEST(BitmapRegionTest, ManyRunsGiveTheUnionOfAllRuns) {
    // Every other pixel of every row is opaque: 4500 runs, more than one batch holds.
    QImage picture(100, 90, QImage::Format_RGB32);
    picture.fill(Qt::black);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = y % 2; x < picture.width(); x += 2) {
            picture.setPixel(x, y, qRgb(10, 200, 30));
        }
    }
    const QRegion region = BitmapToRegion(picture, qRgb(0, 0, 0));
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            ASSERT_EQ(region.contains(QPoint(x, y)), (x + y) % 2 == 0) << x << "," << y;
        }
    }
}

TEST(BitmapRegionTest, OnlyTheExactColourIsTransparentAndAlphaIsIgnored) {
    QImage picture(3, 1, QImage::Format_ARGB32);
    picture.setPixel(0, 0, qRgba(1, 2, 3, 0));
    picture.setPixel(1, 0, qRgba(1, 2, 4, 255));
    picture.setPixel(2, 0, qRgba(1, 2, 3, 255));
    EXPECT_EQ(BitmapToRegion(picture, qRgb(1, 2, 3)), QRegion(1, 0, 1, 1));
}

TEST(BitmapRegionTest, OneColourGivesAnEmptyShapeAndNoPictureNone) {
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    TBitmapRgn bitmap;
    bitmap.Assign(picture);
    ASSERT_TRUE(bitmap.Region());
    EXPECT_TRUE(bitmap.Region()->isEmpty());
    bitmap.Clear();
    EXPECT_FALSE(bitmap.Region());
}

TEST(WindowShapeTest, NoShapeIsTheRectangleAndAnEmptyShapeHidesAll) {
    QWidget window;
    window.resize(20, 10);
    SetWindowShape(&window, QRegion(2, 2, 3, 3));
    EXPECT_EQ(window.mask(), QRegion(2, 2, 3, 3));
    SetWindowShape(&window, QRegion());
    EXPECT_FALSE(window.mask().isEmpty());
    EXPECT_TRUE(window.mask().intersected(window.rect()).isEmpty());
    SetWindowShape(&window, std::nullopt);
    EXPECT_TRUE(window.mask().isEmpty());
}

} // namespace
