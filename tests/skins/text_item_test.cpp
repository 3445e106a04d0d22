#include "skins/text_item.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

// The pixels that are no longer white after drawing the item on a white picture.
QRect Drawn(const TTextItem& item, const QString& text = QStringLiteral("Tape")) {
    QImage picture(120, 120, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    DrawTextItem(painter, QFont(QStringLiteral("Times New Roman"), 12), item, text);
    painter.end();
    QRect drawn;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (picture.pixel(x, y) != qRgb(255, 255, 255)) {
                drawn |= QRect(x, y, 1, 1);
            }
        }
    }
    return drawn;
}

TTextItem At(QPoint pos, int color, int light, int shadow, int angle = 0) {
    TTextItem item;
    item.Pos = pos;
    item.Color = color;
    item.ColorLight = light;
    item.ColorShadow = shadow;
    item.Angle = angle;
    return item;
}

TEST(TextItem, LayersLieAroundTheTextAndAColourOfMinusOneLeavesOneOut) {
    const QPoint pos(20, 40);
    const QRect text = Drawn(At(pos, 0, -1, -1));
    ASSERT_FALSE(text.isEmpty());
    EXPECT_GE(text.top(), pos.y());
    EXPECT_GE(text.left(), pos.x());
    EXPECT_TRUE(Drawn(At(pos, -1, -1, -1)).isEmpty());
    // Light up and left, shadow down and right, each by one pixel.
    EXPECT_EQ(Drawn(At(pos, -1, 0xFF, -1)), text.adjusted(-1, -1, 0, 0));
    EXPECT_EQ(Drawn(At(pos, -1, -1, 0xFF0000)), text.adjusted(0, 0, 1, 1));
    EXPECT_EQ(Drawn(At(pos, 0, 0xFF, 0xFF0000)), text.adjusted(-1, -1, 1, 1));
}

TEST(TextItem, AnAngleTurnsTheTextCounterClockwiseAboutItsPosition) {
    const QRect level = Drawn(At({20, 100}, 0, -1, -1), QStringLiteral("Recorded"));
    const QRect upwards = Drawn(At({20, 100}, 0, -1, -1, 900), QStringLiteral("Recorded"));
    EXPECT_GT(level.width(), level.height());
    EXPECT_GT(upwards.height(), upwards.width());
    // Reading upwards from the position: the text stands above it.
    EXPECT_LE(upwards.bottom(), 100);
    EXPECT_GE(upwards.left(), 20);
}

TEST(TextItem, ColourReferencesKeepRedInTheLowestByte) {
    EXPECT_EQ(ColorFromReference(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(ColorFromReference(0xFF0000), QColor(0, 0, 255));
    EXPECT_EQ(ColorFromReference(0x505050), QColor(0x50, 0x50, 0x50));
}

} // namespace
