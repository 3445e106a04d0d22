#include "skin_fixture.h"
#include "skins/picture_file.h"
#include "skins/skin_controls.h"
#include "skins/skin_loader.h"

#include <QBuffer>
#include <cstdlib>

namespace {

// A picture with a frame of its bottom-left colour around a red and a blue half, large
// enough for JPEG to keep the colours of the halves' middles.
QImage Sample() {
    QImage picture(32, 24, QImage::Format_RGB32);
    picture.fill(Qt::white);
    for (int y = 4; y < 20; ++y) {
        for (int x = 4; x < 28; ++x) {
            picture.setPixel(x, y, x < 16 ? qRgb(255, 0, 0) : qRgb(0, 0, 255));
        }
    }
    return picture;
}

bool Near(QRgb pixel, QRgb expected) {
    return std::abs(qRed(pixel) - qRed(expected)) < 40 &&
           std::abs(qGreen(pixel) - qGreen(expected)) < 40 &&
           std::abs(qBlue(pixel) - qBlue(expected)) < 40;
}

QByteArray Encoded(const QImage& picture, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(picture.save(&buffer, format));
    return bytes;
}

struct PictureCase {
    const char* name;
    const char* file;
    std::function<QByteArray()> content;
    // Empty when the picture loads.
    const char* error;
};

class PictureFileTest : public SkinFixture, public testing::WithParamInterface<PictureCase> {};

TEST_P(PictureFileTest, LoadsByExtension) {
    const PictureCase& test = GetParam();
    WriteFile("s", test.file, test.content());
    const QString path = SkinFolder("s") + test.file;
    if (*test.error == '\0') {
        const QImage picture = LoadPictureFile(path);
        ASSERT_EQ(picture.size(), QSize(32, 24));
        EXPECT_TRUE(Near(picture.pixel(9, 12), qRgb(255, 0, 0)));
        EXPECT_TRUE(Near(picture.pixel(22, 12), qRgb(0, 0, 255)));
    } else {
        try {
            LoadPictureFile(path);
            ADD_FAILURE() << "loaded";
        } catch (const EInvalidGraphic& error) {
            EXPECT_STREQ(error.what(), test.error);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, PictureFileTest,
    testing::Values(
        PictureCase{"Bitmap", "a.bmp", [] { return Encoded(Sample(), "BMP"); }, ""},
        PictureCase{
            "BitmapOfEightBits", "a.BMP",
            [] { return Encoded(Sample().convertToFormat(QImage::Format_Indexed8), "BMP"); }, ""},
        PictureCase{"Icon", "a.ico", [] { return Encoded(Sample(), "ICO"); }, ""},
        PictureCase{"Jpeg", "a.jpg", [] { return Encoded(Sample(), "JPG"); }, ""},
        PictureCase{"JpegLongName", "a.JPEG", [] { return Encoded(Sample(), "JPG"); }, ""},
        PictureCase{"DamagedBitmap", "a.bmp", [] { return Encoded(Sample(), "BMP").left(40); },
                    "Bitmap image is not valid"},
        PictureCase{"OtherPictureNamedBitmap", "a.bmp", [] { return Encoded(Sample(), "PNG"); },
                    "Bitmap image is not valid"},
        PictureCase{"DamagedIcon", "a.ico", [] { return QByteArray("not an icon"); },
                    "Icon image is not valid"},
        PictureCase{"NotAJpeg", "a.jpg", [] { return QByteArray("BM is no JPEG"); },
                    "JPEG image is not valid (Not a JPEG file: starts with 0x42 0x4d)"},
        PictureCase{"UnknownExtension", "a.png", [] { return Encoded(Sample(), "PNG"); },
                    "Unknown picture file extension (.png)"},
        PictureCase{"Metafile", "a.wmf", [] { return QByteArray("x"); },
                    "Unknown picture file extension (.wmf)"}),
    [](const auto& info) { return info.param.name; });

TEST_F(PictureFileTest, BitmapPicturesLeaveTheirBottomLeftColourOut) {
    WriteBitmap("s", "a.bmp", Sample());
    const QImage picture = LoadPictureFile(SkinFolder("s") + "a.bmp");
    EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(picture.pixel(9, 12)), 255);
    EXPECT_EQ(LoadBitmapFile(SkinFolder("s") + "a.bmp").pixel(0, 0), qRgb(255, 255, 255))
        << "bitmaps for buttons and bars keep every pixel";
}

TEST_F(PictureFileTest, LoaderReportsThePictureLoadersMessages) {
    WriteFile("s", "bad.bmp", "BM damaged");
    WriteFile("s", "pic.gif", "GIF89a");
    for (const auto& [file, message] :
         {std::pair{"bad.bmp", "Bitmap image is not valid"},
          std::pair{"pic.gif", "Unknown picture file extension (.gif)"}}) {
        WriteSkin("s", {"<Quavrel>", "<Mainfrm>", "<Image>",
                        QString("<Bitmap Value=\"%1\"/>").arg(file), "</Image>"});
        target.errors.clear();
        EXPECT_FALSE(LoadSkin(target, "s"));
        EXPECT_EQ(target.errors, QStringList{SkinErrorText(4, message)});
    }
    WriteSkin("s", {"<Quavrel>", "<Mainfrm>", "<Background Value=\"bad.bmp\"/>"});
    target.errors.clear();
    EXPECT_FALSE(LoadSkin(target, "s"));
    EXPECT_EQ(target.errors, QStringList{SkinErrorText(3, "Bitmap image is not valid")});
}

TEST_F(PictureFileTest, ImageControlShowsItsPicture) {
    WriteBitmap("s", "a.bmp", Sample());
    WriteSkin("s", {"<Quavrel>", "<Mainfrm>", "<Image>", "<Function Value=\"Image\"/>",
                    "<Bitmap Value=\"a.bmp\"/>", "<Width Value=\"32\"/>", "<Height Value=\"24\"/>",
                    "</Image>", "</Mainfrm>", "</Quavrel>"});
    ASSERT_TRUE(LoadSkin(target, "s"));
    auto* image = dynamic_cast<TSkinImage*>(target.Groups[TSkinFunction::Image].Item(0));
    ASSERT_NE(image, nullptr);
    EXPECT_TRUE(image->testAttribute(Qt::WA_TransparentForMouseEvents));
    const QImage shown = image->grab().toImage();
    EXPECT_EQ(shown.pixel(9, 12), qRgb(255, 0, 0));
}

} // namespace
