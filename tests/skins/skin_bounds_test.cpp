#include "skin_fixture.h"
#include "skins/picture_file.h"
#include "skins/skin_loader.h"
#include "skins/speed_meter.h"

#include <QBuffer>
#include <QImageWriter>
#include <QtEndian>

namespace {

QStringList InMainfrm(const QStringList& lines) {
    return QStringList{"<Quavrel>", "<Mainfrm>"} + lines + QStringList{"</Mainfrm>", "</Quavrel>"};
}

QStringList InWavefrm(const QStringList& lines) {
    return QStringList{"<Quavrel>", "<Wavefrm>"} + lines + QStringList{"</Wavefrm>", "</Quavrel>"};
}

QString OutOfRange(const char* range, const QString& value) {
    return QString("Value out of range (%1) : %2").arg(range, value);
}

QString Sizes(const QString& value) {
    return OutOfRange("0 to 16384", value);
}

QString Places(const QString& value) {
    return OutOfRange("-32767 to 32767", value);
}

QStringList Repeated(const QStringList& lines, int count) {
    QStringList all;
    for (int i = 0; i < count; ++i) {
        all += lines;
    }
    return all;
}

const QString TooManyPixelsInAll = QStringLiteral("Too many pixels in all (at most 67108864)");

const QString TooLargeSquare =
    QStringLiteral("Too large : 16384 x 16384 (at most 16777216 pixels, 16384 on a side)");

struct BoundCase {
    const char* name;
    QStringList lines;
    // The message box text; empty when the skin loads.
    QString error;
};

class SkinBoundsTest : public SkinFixture, public testing::WithParamInterface<BoundCase> {};

TEST_P(SkinBoundsTest, RefusesValuesOutsideTheLimitsAtTheirLine) {
    const BoundCase& test = GetParam();
    WriteSkin("s", test.lines);

    const bool loaded = LoadSkin(target, "s");

    if (test.error.isEmpty()) {
        EXPECT_TRUE(loaded);
        EXPECT_TRUE(target.errors.isEmpty()) << target.errors.join('|').toStdString();
        // Every control paints at its size.
        EXPECT_FALSE(window.grab().isNull());
    } else {
        EXPECT_FALSE(loaded);
        ASSERT_EQ(target.errors.size(), 1);
        EXPECT_EQ(target.errors.front(), test.error);
        EXPECT_EQ(window.size(), QSize(500, 500)) << "the plain look";
    }
}

const BoundCase BoundCases[] = {
    {"ButtonWidth", InMainfrm({"<Button>", "<Width Value=\"2000000000\"/>"}),
     SkinErrorText(4, Sizes("2000000000"))},
    {"ButtonNegativeHeight", InMainfrm({"<Button>", "<Height Value=\"-1\"/>"}),
     SkinErrorText(4, Sizes("-1"))},
    {"ControlLeft", InMainfrm({"<Label>", "<Left Value=\"2147483647\"/>"}),
     SkinErrorText(4, Places("2147483647"))},
    {"ControlTop", InMainfrm({"<Image>", "<Top Value=\"-2147483648\"/>"}),
     SkinErrorText(4, Places("-2147483648"))},
    {"ControlHeight", InMainfrm({"<SpeedMeter>", "<Height Value=\"2147483647\"/>"}),
     SkinErrorText(4, Sizes("2147483647"))},
    {"ControlOfTooManyPixels",
     InMainfrm({"<Button>", "<Width Value=\"16384\"/>", "<Height Value=\"16384\"/>"}),
     SkinErrorText(5, TooLargeSquare)},
    {"ScrollBarWidthInHexadecimal", InMainfrm({"<ScrollBar>", "<Width Value=\"#FFFFFF\"/>"}),
     SkinErrorText(4, Sizes("#FFFFFF"))},
    {"ScrollBarTravel", InMainfrm({"<ScrollBar>", "<EndPosLeft Value=\"2147483647\"/>"}),
     SkinErrorText(4, Places("2147483647"))},
    {"TickCount", InMainfrm({"<SpeedMeter>", "<TickCount Value=\"100000000\"/>"}),
     SkinErrorText(4, OutOfRange("0 to 1000", "100000000"))},
    {"LargestTickCount", InMainfrm({"<SpeedMeter>", "<TickCount Value=\"2147483647\"/>"}),
     SkinErrorText(4, OutOfRange("0 to 1000", "2147483647"))},
    {"TickWidth", InMainfrm({"<SpeedMeter>", "<TickWidth Value=\"2000000000\"/>"}),
     SkinErrorText(4, OutOfRange("0 to 100", "2000000000"))},
    {"FontSize", InMainfrm({"<Label>", "<FontSize Value=\"2000000000\"/>"}),
     SkinErrorText(4, OutOfRange("1 to 1000", "2000000000"))},
    {"MainWidth", InMainfrm({"<Width Value=\"2000000000\"/>"}),
     SkinErrorText(3, Sizes("2000000000"))},
    {"MainWindowOfTooManyPixels",
     InMainfrm({"<Width Value=\"16384\"/>", "<Height Value=\"16384\"/>"}),
     SkinErrorText(4, TooLargeSquare)},
    {"TimeTextPlace", InMainfrm({"<TextCurrentTimePosLeft Value=\"2147483647\"/>"}),
     SkinErrorText(3, Places("2147483647"))},
    {"TimeTextAngle", InMainfrm({"<TextRepeatStopAngle Value=\"3601\"/>"}),
     SkinErrorText(3, OutOfRange("-3600 to 3600", "3601"))},
    {"CassetteWidth", InWavefrm({"<Width Value=\"2000000000\"/>"}),
     SkinErrorText(3, Sizes("2000000000"))},
    {"CassetteOfTooManyPixels",
     InWavefrm({"<Width Value=\"16384\"/>", "<Height Value=\"16384\"/>"}),
     SkinErrorText(4, TooLargeSquare)},
    {"DockingPoint", InWavefrm({"<DockingPointLeft Value=\"2147483647\"/>"}),
     SkinErrorText(3, Places("2147483647"))},
    {"TitleAngle", InWavefrm({"<TextAngle Value=\"-2147483648\"/>"}),
     SkinErrorText(3, OutOfRange("-3600 to 3600", "-2147483648"))},
    // A property line without a value takes the one before, and that value keeps the limits.
    {"ValueCarriedFromAColour",
     InWavefrm({"<BackgroundColor Value=\"#FFF0DD\"/>", "<Width Valeu=\"260\"/>"}),
     SkinErrorText(4, Sizes("#FFF0DD"))},
    {"LimitsThemselvesLoad",
     InMainfrm({"<Width Value=\"16384\"/>", "<Height Value=\"1024\"/>",
                "<TextCurrentTimePosLeft Value=\"-32767\"/>",
                "<TextCurrentTimeAngle Value=\"-3600\"/>", "<SpeedMeter>",
                "<Left Value=\"32767\"/>", "<Top Value=\"-32767\"/>", "<Width Value=\"256\"/>",
                "<Height Value=\"16384\"/>", "<TickCount Value=\"1000\"/>",
                "<TickWidth Value=\"100\"/>", "</SpeedMeter>", "<Label>",
                "<FontSize Value=\"1000\"/>", "<Width Value=\"0\"/>", "</Label>"}),
     ""},
    // Each button may draw four pictures of its size: three such buttons fit, the fourth not.
    {"ControlsOfTooManyPixelsInAll",
     InMainfrm(Repeated(
         {"<Button>", "<Width Value=\"2048\"/>", "<Height Value=\"2048\"/>", "</Button>"}, 4)),
     SkinErrorText(17, TooManyPixelsInAll)},
    {"QuotedTagIsCut",
     {"<Quavrel>", "<" + QString(1000000, 'x') + ">"},
     SkinErrorText(2, "Unknown Tag Error : " + QString(256, 'x'))},
    {"QuotedLineIsCut",
     {"<Quavrel>", "< Value=\"" + QString(1000000, 'x') + "\"/>"},
     SkinErrorText(2, "Syntax Error : < Value=\"" + QString(256 - 9, 'x'))},
};

INSTANTIATE_TEST_SUITE_P(Descriptions, SkinBoundsTest, testing::ValuesIn(BoundCases),
                         [](const auto& info) { return info.param.name; });

TEST_F(SkinBoundsTest, AThousandControlsAtMost) {
    QStringList lines;
    for (int i = 0; i < 1001; ++i) {
        lines << "<Label>"
              << "</Label>";
    }
    WriteSkin("s", InMainfrm(lines));
    EXPECT_FALSE(LoadSkin(target, "s"));
    // The 1001st label opens on line 2 + 2 * 1000 + 1.
    EXPECT_EQ(target.errors, QStringList{SkinErrorText(2003, "Too many controls (at most 1000)")});
}

TEST_F(SkinBoundsTest, PicturesOfTooManyPixelsInAll) {
    QImage large(4096, 4096, QImage::Format_RGB32);
    large.fill(Qt::gray);
    ASSERT_TRUE(QDir().mkpath(SkinFolder("s")));
    ASSERT_TRUE(large.save(SkinFolder("s") + "large.jpg", "JPG"));
    // Four pictures of the largest size fill what a skin may take, with their controls beyond.
    WriteSkin("s",
              InMainfrm(Repeated({"<Image>", "<Bitmap Value=\"large.jpg\"/>", "</Image>"}, 4)));
    EXPECT_FALSE(LoadSkin(target, "s"));
    EXPECT_EQ(target.errors, QStringList{SkinErrorText(13, TooManyPixelsInAll)});
}

// The first frame header (baseline or progressive) of a JPEG file.
qsizetype FrameHeader(const QByteArray& jpeg) {
    for (qsizetype i = 2; i + 9 < jpeg.size(); ++i) {
        if (uchar(jpeg[i]) == 0xFF && (uchar(jpeg[i + 1]) == 0xC0 || uchar(jpeg[i + 1]) == 0xC2)) {
            return i;
        }
    }
    return -1;
}

// A small JPEG file whose header declares another size.
QByteArray JpegDeclaring(QSize size, bool progressive) {
    QImage picture(16, 16, QImage::Format_RGB32);
    picture.fill(Qt::gray);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpg");
    writer.setProgressiveScanWrite(progressive);
    EXPECT_TRUE(writer.write(picture));
    const qsizetype frame = FrameHeader(bytes);
    EXPECT_GE(frame, 0);
    qToBigEndian(static_cast<quint16>(size.height()), bytes.data() + frame + 5);
    qToBigEndian(static_cast<quint16>(size.width()), bytes.data() + frame + 7);
    return bytes;
}

// The headers of a 24-bit Windows bitmap declaring a size, without its pixels.
QByteArray BitmapDeclaring(QSize size) {
    QByteArray bytes(54, '\0');
    char* data = bytes.data();
    data[0] = 'B';
    data[1] = 'M';
    qToLittleEndian(quint32{54}, data + 2);
    qToLittleEndian(quint32{54}, data + 10);
    qToLittleEndian(quint32{40}, data + 14);
    qToLittleEndian(static_cast<qint32>(size.width()), data + 18);
    qToLittleEndian(static_cast<qint32>(size.height()), data + 22);
    qToLittleEndian(quint16{1}, data + 26);
    qToLittleEndian(quint16{24}, data + 28);
    return bytes;
}

struct LargePictureCase {
    const char* name;
    const char* file;
    std::function<QByteArray()> content;
    QString error;
};

class LargePictureTest : public SkinFixture,
                         public testing::WithParamInterface<LargePictureCase> {};

TEST_P(LargePictureTest, IsRefusedBeforeDecoding) {
    const LargePictureCase& test = GetParam();
    WriteFile("s", test.file, test.content());
    WriteSkin("s", InMainfrm({"<Image>", QString("<Bitmap Value=\"%1\"/>").arg(test.file)}));
    EXPECT_FALSE(LoadSkin(target, "s"));
    EXPECT_EQ(target.errors, QStringList{SkinErrorText(4, test.error)});
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, LargePictureTest,
    testing::Values(
        LargePictureCase{"Jpeg", "a.jpg",
                         [] {
                             return JpegDeclaring({16000, 16000}, false);
                         },
                         "Too large : 16000 x 16000 (at most 16777216 pixels, 16384 on a side)"},
        LargePictureCase{"ProgressiveJpeg", "a.jpeg",
                         [] {
                             return JpegDeclaring({60000, 60000}, true);
                         },
                         "Too large : 60000 x 60000 (at most 16777216 pixels, 16384 on a side)"},
        LargePictureCase{"Bitmap", "a.bmp",
                         [] {
                             return BitmapDeclaring({5000, 5000});
                         },
                         "Too large : 5000 x 5000 (at most 16777216 pixels, 16384 on a side)"},
        LargePictureCase{"LongBitmap", "a.bmp",
                         [] {
                             return BitmapDeclaring({20000, 1});
                         },
                         "Too large : 20000 x 1 (at most 16777216 pixels, 16384 on a side)"}),
    [](const auto& info) { return info.param.name; });

} // namespace
