#include "actions/language_choice.h"
#include "actions/messages.h"
#include "dialogs/dialog_support.h"
#include "dialogs/image_message.h"
#include "dialogs/link_label.h"
#include "tests/support/temp_dir.h"

#include <QApplication>
#include <QFontInfo>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(ImageMessageLayoutTest, TheTextTheLinkAndTheWayOnFollowThePictureCentred) {
    const ImageMessageLayout layout = LayoutImageMessage(QSize(200, 100), QSize(300, 76), 16, 18);
    EXPECT_EQ(layout.Image, QRect(75, 25, 200, 100));
    EXPECT_EQ(layout.Text, QRect(25, 150, 300, 76));
    EXPECT_EQ(layout.Link, QRect(25, 236, 300, 16));
    EXPECT_EQ(layout.Continue, QRect(25, 262, 300, 18));
    EXPECT_EQ(layout.Client, QSize(350, 305));
}

TEST(ImageMessageLayoutTest, AWiderTextWidensTheWindowAndThePictureStaysInTheMiddle) {
    const ImageMessageLayout layout = LayoutImageMessage(QSize(200, 100), QSize(500, 40), 0, 18);
    EXPECT_EQ(layout.Client.width(), 550);
    EXPECT_EQ(layout.Image.left(), 175);
    EXPECT_TRUE(layout.Link.isNull());
    EXPECT_EQ(layout.Continue, QRect(25, 150 + 40 + 10, 500, 18));
    // Without a picture the text starts at the top.
    EXPECT_EQ(LayoutImageMessage(QSize(), QSize(300, 40), 0, 18).Text.top(), 25);
}

TEST(ImageMessageLayoutTest, TheTextIsAtLeastFortyFiveCharactersWide) {
    EXPECT_EQ(ImageMessageTextWidth(360, 6), 460);
    EXPECT_EQ(ImageMessageTextWidth(360, 12), 540);
    EXPECT_EQ(ImageMessageTextWidth(0, 7), 315);
}

// A long text in a large font: every line of it and the line that tells how to go on are
// inside the window.
TEST(ImageMessageTest, TheWindowHoldsItsWholeTextAndTellsHowToContinue) {
    const QFont before = QApplication::font();
    for (const int points : {11, 20}) {
        QFont font = before;
        font.setPointSize(points);
        QApplication::setFont(font);
        TImageMessage message;
        QString text;
        for (int i = 0; i < 12; ++i) {
            text += "A line of the welcome that is long enough to be wrapped once or twice in "
                    "the window.\r";
        }
        message.Fill("Welcome", text, "", "", "");
        EXPECT_GE(message.font().pointSize(), points);
        EXPECT_GE(message.Label1->height(),
                  message.Label1->heightForWidth(message.Label1->width()));
        EXPECT_FALSE(message.Label3->isHidden());
        EXPECT_EQ(message.Label3->text(), SFirstMessage_ClickToContinue);
        EXPECT_GE(message.Label3->y(), message.Label1->geometry().bottom());
        EXPECT_TRUE(message.rect().contains(message.Label3->geometry())) << points;
        EXPECT_GE(message.Label3->height(), message.Label3->sizeHint().height());
    }
    QApplication::setFont(before);
}

TEST(ImageMessageTest, ShowsPictureTextAndLinkWhereTheLayoutSays) {
    TempDir folder;
    const std::string picture = folder.File("imgmsg1.bmp");
    QImage(120, 40, QImage::Format_RGB32).save(QString::fromStdString(picture));
    TImageMessage message;
    message.Fill("Notice!", "one\rtwo\r", "Home page", "https://example.invalid/",
                 QString::fromStdString(picture));
    EXPECT_EQ(message.windowTitle(), "Notice!");
    EXPECT_EQ(message.Label1->text(), "one\ntwo");
    EXPECT_EQ(message.Image1->size(), QSize(120, 40));
    EXPECT_EQ(message.Image1->x(), (message.width() - 120) / 2);
    EXPECT_EQ(message.Label1->y(), 25 + 40 + 25);
    EXPECT_FALSE(message.Label2->isHidden());
    EXPECT_GT(message.Label2->y(), message.Label1->geometry().bottom());
    EXPECT_GT(message.Label3->y(), message.Label2->geometry().bottom());
    EXPECT_EQ(message.Label2->NormalColor(), QColor(Qt::blue));
    EXPECT_EQ(message.LinkTarget, "https://example.invalid/");
}

TEST(ImageMessageTest, WithoutPictureOrLinkOnlyTheTextAndTheWayOnShow) {
    TImageMessage message;
    message.Fill("Notice!", "text", "", "", "/nonexistent/imgmsg2.bmp");
    EXPECT_TRUE(message.Image1->pixmap().isNull());
    EXPECT_TRUE(message.Label2->isHidden());
    EXPECT_EQ(message.Label1->y(), 25);
    EXPECT_FALSE(message.Label3->isHidden());
}

TEST(ImageMessageTest, AClickEnterSpaceOrEscapeGoesOnOtherKeysDoNothing) {
    struct Case {
        Qt::Key key;
        bool closes;
    };
    const Case cases[] = {{Qt::Key_Return, true}, {Qt::Key_Enter, true},   {Qt::Key_Space, true},
                          {Qt::Key_Escape, true}, {Qt::Key_Tab, false},    {Qt::Key_A, false},
                          {Qt::Key_F10, false},   {Qt::Key_Backtab, false}};
    for (const Case& c : cases) {
        TImageMessage message;
        message.Fill("Notice!", "text", "", "", "");
        message.show();
        QTest::keyClick(&message, c.key);
        EXPECT_EQ(message.isVisible(), !c.closes) << QKeySequence(c.key).toString().toStdString();
        EXPECT_EQ(message.result(), c.closes ? QDialog::Accepted : 0);
    }
    TImageMessage message;
    message.Fill("Notice!", "text", "", "", "");
    message.show();
    // A key held on from the window before repeats: it does not close this one unseen.
    QKeyEvent repeated(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
    QCoreApplication::sendEvent(&message, &repeated);
    EXPECT_TRUE(message.isVisible());
    QTest::mouseClick(message.Label1, Qt::LeftButton);
    EXPECT_FALSE(message.isVisible());
    EXPECT_EQ(message.result(), QDialog::Accepted);
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
