#include "actions/language_choice.h"
#include "dialogs/dialog_support.h"
#include "dialogs/image_message.h"
#include "dialogs/link_label.h"
#include "modal.h"
#include "tests/support/temp_dir.h"

#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(ImageMessageLayoutTest, TextHeightIsOneAndAHalfLinesPerLineTruncated) {
    const ImageMessageLayout layout = LayoutImageMessage(QSize(200, 100), 17, 3, 16);
    EXPECT_EQ(layout.Text.height(), 76);
    EXPECT_EQ(layout.Image, QRect(75, 25, 200, 100));
    EXPECT_EQ(layout.Text.topLeft(), QPoint(25, 150));
    EXPECT_EQ(layout.Client, QSize(350, 226));
    EXPECT_EQ(layout.Text.width(), 300);
    EXPECT_EQ(layout.Link, QPoint(25, 226 - 16 - 25));
}

TEST(ImageMessageLayoutTest, LinesAreCountedAtEveryKindOfBreak) {
    EXPECT_EQ(CountLines("one\rtwo\r\nthree\nfour"), 4);
    EXPECT_EQ(CountLines("one\r"), 1);
    EXPECT_EQ(CountLines("one\r\rthree"), 3);
    EXPECT_EQ(CountLines(""), 0);
}

TEST(ImageMessageTest, ShowsPictureTextAndLinkWhereTheLayoutSays) {
    TempDir folder;
    const std::string picture = folder.File("imgmsg1.bmp");
    QImage(120, 40, QImage::Format_RGB32).save(QString::fromStdString(picture));
    TImageMessage message;
    message.Fill("Notice!", "one\rtwo", "Home page", "https://example.invalid/",
                 QString::fromStdString(picture));
    EXPECT_EQ(message.windowTitle(), "Notice!");
    EXPECT_EQ(message.Label1->text(), "one\ntwo");
    EXPECT_EQ(message.Image1->geometry(), QRect(75, 25, 120, 40));
    const int line = message.Label1->fontMetrics().size(0, "abc").height();
    EXPECT_EQ(message.Label1->height(), static_cast<int>(line * 2 * 1.5));
    EXPECT_EQ(message.size(), QSize(270, 40 + message.Label1->height() + 50));
    EXPECT_FALSE(message.Label2->isHidden());
    EXPECT_EQ(message.Label2->y(), message.height() - message.Label2->height() - 25);
    EXPECT_EQ(message.Label2->NormalColor(), QColor(Qt::blue));
    EXPECT_EQ(message.LinkTarget, "https://example.invalid/");
}

TEST(ImageMessageTest, WithoutPictureOrLinkOnlyTheTextShows) {
    TImageMessage message;
    message.Fill("Notice!", "text", "", "", "/nonexistent/imgmsg2.bmp");
    EXPECT_TRUE(message.Image1->pixmap().isNull());
    EXPECT_TRUE(message.Label2->isHidden());
    EXPECT_EQ(message.width(), 150);
}

TEST(ImageMessageTest, AnyKeyOrClickClosesWithOk) {
    WhenModalShown([](QWidget* window) { QTest::keyClick(window, Qt::Key_Escape); });
    EXPECT_TRUE(ShowImageMessage("Notice!", "text", "", "", ""));
    WhenModalShown([](QWidget* window) {
        QTest::mouseClick(static_cast<TImageMessage*>(window)->Label1, Qt::LeftButton);
    });
    EXPECT_TRUE(ShowImageMessage("Notice!", "text", "", "", ""));
}

TEST(ImageMessageTest, AClickOnTheLinkLeavesTheWindowOpen) {
    TImageMessage message;
    message.Fill("About", "text", "Home page", "", "");
    message.show();
    QTest::mouseClick(message.Label2, Qt::LeftButton);
    EXPECT_TRUE(message.isVisible());
    EXPECT_EQ(message.result(), 0);
}

TEST(LinkLabelTest, TheMouseOverItUnderlinesItInTheRollOverColour) {
    TLinkLabel label;
    label.SetRollOverColor(Qt::red);
    EXPECT_EQ(label.cursor().shape(), Qt::PointingHandCursor);
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QCoreApplication::sendEvent(&label, &enter);
    EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_TRUE(label.font().underline());
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&label, &leave);
    EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(Qt::black));
    EXPECT_FALSE(label.font().underline());
}

TEST(MessageFontTest, JapaneseGetsAJapaneseFaceOthersTimesNewRomanMetrics) {
    const QFont japanese = MessageFont("jap");
    EXPECT_EQ(japanese.family(), QStringLiteral("ＭＳ Ｐゴシック"));
    EXPECT_EQ(japanese.pointSize(), 11);
    EXPECT_EQ(QFontInfo(japanese).family(), "IPAPGothic");
    const QFont other = MessageFont("eng");
    EXPECT_EQ(other.family(), "Times New Roman");
    EXPECT_EQ(QFontInfo(other).family(), "Liberation Serif");
}

} // namespace
