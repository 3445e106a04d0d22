#include "skins/skin_background.h"
#include "skins/text_item.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QtTest/QTest>
#include <gtest/gtest.h>
#include <set>

namespace {

using Pixels = std::set<std::pair<int, int>>;

// Sharp edges, so that every layer is made of whole pixels of its colour.
QFont SharpFont() {
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPixelSize(16);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

QImage Drawn(const TTextItemLook& item, const QString& text = QStringLiteral("08:4")) {
    QImage canvas(120, 120, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    DrawTextItem(painter, SharpFont(), item, text);
    return canvas;
}

Pixels PixelsOf(const QImage& canvas, QRgb colour) {
    Pixels found;
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            if (canvas.pixel(x, y) == colour) {
                found.insert({x, y});
            }
        }
    }
    return found;
}

Pixels Shifted(const Pixels& pixels, std::initializer_list<QPoint> offsets) {
    Pixels shifted;
    for (const auto& [x, y] : pixels) {
        for (const QPoint offset : offsets) {
            shifted.insert({x + offset.x(), y + offset.y()});
        }
    }
    return shifted;
}

TTextItemLook At(QPoint pos, int color, int light, int shadow, int angle = 0) {
    TTextItemLook item;
    item.Pos = pos;
    item.Angle = angle;
    item.Color = color;
    item.ColorLight = light;
    item.ColorShadow = shadow;
    return item;
}

constexpr int Red = 0x0000FF;
constexpr int Green = 0x00FF00;
constexpr int Blue = 0xFF0000;

TEST(DrawTextItemTest, PaintsOnlyTheLayersWithAColour) {
    const QPoint at(30, 40);
    const Pixels text = PixelsOf(Drawn(At(at, Red, -1, -1)), qRgb(255, 0, 0));
    ASSERT_GT(text.size(), 20u);
    EXPECT_EQ(PixelsOf(Drawn(At(at, -1, Red, -1)), qRgb(255, 0, 0)),
              Shifted(text, {{-1, -1}, {-1, 0}, {0, -1}}));
    EXPECT_EQ(PixelsOf(Drawn(At(at, -1, -1, Red)), qRgb(255, 0, 0)),
              Shifted(text, {{1, 1}, {0, 1}, {1, 0}}));
    EXPECT_EQ(PixelsOf(Drawn(At(at, -1, -1, -1)), qRgb(255, 255, 255)).size(), 120u * 120u);

    // The text covers the shadow, which covers the light.
    const QImage all = Drawn(At(at, Red, Green, Blue));
    EXPECT_EQ(PixelsOf(all, qRgb(255, 0, 0)), text);
    Pixels shadow = Shifted(text, {{1, 1}, {0, 1}, {1, 0}});
    std::erase_if(shadow, [&](const auto& p) { return text.contains(p); });
    EXPECT_EQ(PixelsOf(all, qRgb(0, 0, 255)), shadow);
}

TEST(DrawTextItemTest, TopLeftCornerStandsAtThePosition) {
    const QFontMetrics metrics(TextItemFont(SharpFont()));
    const Pixels level = PixelsOf(Drawn(At({10, 50}, Red, -1, -1), "0"), qRgb(255, 0, 0));
    ASSERT_FALSE(level.empty());
    for (const auto& [x, y] : level) {
        EXPECT_GE(x, 10);
        EXPECT_GE(y, 50);
        EXPECT_LT(y, 50 + metrics.height());
    }
    // Turned a quarter counter-clockwise, the text reads upwards from the position and its
    // top lies to the left.
    const Pixels upright = PixelsOf(Drawn(At({10, 100}, Red, -1, -1, 900), "0"), qRgb(255, 0, 0));
    ASSERT_FALSE(upright.empty());
    for (const auto& [x, y] : upright) {
        EXPECT_GE(x, 10);
        EXPECT_LT(x, 10 + metrics.height());
        EXPECT_LE(y, 100);
    }
}

TEST(DrawTextItemTest, DefaultFaceAndWeight) {
    QFont base(QStringLiteral("Default"));
    base.setWeight(QFont::DemiBold);
    EXPECT_EQ(TextItemFont(base).family(), "MS Sans Serif");
    EXPECT_EQ(TextItemFont(base).weight(), QFont::Bold);
    base.setWeight(QFont::Light);
    EXPECT_EQ(TextItemFont(base).weight(), QFont::Normal);
}

// Regions built from pixel runs keep one rectangle per row; equal areas may be listed apart.
bool SameArea(const QRegion& a, const QRegion& b) {
    return (a ^ b).isEmpty();
}

TEST(TextUpdateAreaTest, CoversTheTurnedSampleText) {
    const QFontMetrics metrics(TextItemFont(SharpFont()));
    const int w = metrics.horizontalAdvance(QStringLiteral("00:00:00:00"));
    const int h = metrics.height();
    const QSize picture(400, 300);
    // The outline's pixels belong to the area.
    EXPECT_TRUE(SameArea(TextUpdateArea(SharpFont(), At({20, 30}, -1, -1, -1), picture),
                         QRegion(20, 30, w + 1, h + 1)));
    EXPECT_TRUE(SameArea(TextUpdateArea(SharpFont(), At({20, 250}, -1, -1, -1, 900), picture),
                         QRegion(20, 250 - w, h + 1, w + 1)));
    EXPECT_TRUE(SameArea(TextUpdateArea(SharpFont(), At({380, 30}, -1, -1, -1), picture),
                         QRegion(380, 30, 20, h + 1)))
        << "cut at the picture's edge";
    const QRegion slanted = TextUpdateArea(SharpFont(), At({50, 150}, -1, -1, -1, 450), picture);
    EXPECT_TRUE(slanted.contains(QPoint(50 + w / 2, 150 - w / 4)));
    EXPECT_FALSE(slanted.contains(QPoint(50 + w / 2, 150 + h)));
}

// Records what each paint of the face covers.
class PaintRecorder : public QObject {
public:
    QRegion painted;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painted += static_cast<QPaintEvent*>(event)->region();
        }
        return false;
    }
};

TEST(SkinBackgroundTest, ChangedTextRepaintsOnlyItsArea) {
    SkinParameters parameters;
    parameters.Active = true;
    parameters.RepeatStart = At({10, 20}, Red, -1, -1);
    QWidget window;
    TSkinBackground background(&window, parameters);
    QImage picture(200, 100, QImage::Format_RGB32);
    picture.fill(Qt::white);
    background.SetPicture(picture);
    background.SetTimeFont(SharpFont());
    window.resize(200, 100);
    window.show();
    PaintRecorder recorder;
    background.installEventFilter(&recorder);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !recorder.painted.isEmpty(); }, 10000));
    ASSERT_FALSE(background.TextArea(TTimeText::RepeatStart).isEmpty());

    recorder.painted = QRegion();
    background.SetText(TTimeText::RepeatStart, QStringLiteral("00:01:02:03"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !recorder.painted.isEmpty(); }, 10000));
    EXPECT_EQ(recorder.painted, background.TextArea(TTimeText::RepeatStart));
    EXPECT_EQ(background.grab().toImage().pixel(
                  background.TextArea(TTimeText::RepeatStart).boundingRect().bottomRight()),
              qRgb(255, 255, 255));
    EXPECT_FALSE(PixelsOf(background.grab().toImage(), qRgb(255, 0, 0)).empty());

    parameters.Active = false;
    background.RebuildTextAreas();
    EXPECT_TRUE(background.TextArea(TTimeText::RepeatStart).isEmpty()) << "no skin, no areas";
}

} // namespace
