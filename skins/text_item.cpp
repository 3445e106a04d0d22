#include "text_item.h"

#include "bitmap_region.h"
#include "round_half_even.h"
#include "skin_values.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <cmath>
#include <numbers>

namespace {

// Turned by tenths of a degree counter-clockwise, as the screen shows it (y grows downwards).
double Radians(int angle) {
    return angle * std::numbers::pi / 1800.0;
}

void DrawLayer(QPainter& painter, const QFont& font, const TTextItemLook& item, int colorRef,
               std::initializer_list<QPoint> offsets, const QString& text) {
    if (colorRef == -1) {
        return;
    }
    painter.setPen(ColorOfColorRef(colorRef));
    const int ascent = QFontMetrics(font).ascent();
    for (const QPoint offset : offsets) {
        painter.save();
        painter.translate(item.Pos + offset);
        painter.rotate(-item.Angle / 10.0);
        painter.drawText(QPoint(0, ascent), text);
        painter.restore();
    }
}

} // namespace

QFont TextItemFont(const QFont& baseFont) {
    QFont font = baseFont;
    if (baseFont.family() == u"Default") {
        font.setFamily(QStringLiteral("MS Sans Serif"));
    }
    font.setWeight(baseFont.bold() ? QFont::Bold : QFont::Normal);
    return font;
}

void DrawTextItem(QPainter& painter, const QFont& baseFont, const TTextItemLook& item,
                  const QString& text) {
    const QFont font = TextItemFont(baseFont);
    painter.save();
    painter.setFont(font);
    painter.setBackgroundMode(Qt::TransparentMode);
    DrawLayer(painter, font, item, item.ColorLight, {{-1, -1}, {-1, 0}, {0, -1}}, text);
    DrawLayer(painter, font, item, item.ColorShadow, {{1, 1}, {0, 1}, {1, 0}}, text);
    DrawLayer(painter, font, item, item.Color, {{0, 0}}, text);
    painter.restore();
}

QRegion TextUpdateArea(const QFont& baseFont, const TTextItemLook& item, QSize pictureSize) {
    if (pictureSize.isEmpty()) {
        return {};
    }
    const QFontMetrics metrics(TextItemFont(baseFont));
    const double width = metrics.horizontalAdvance(QStringLiteral("00:00:00:00"));
    const double height = metrics.height();
    const double a = Radians(item.Angle);
    const QPoint along(RoundHalfEven(width * std::cos(a)), RoundHalfEven(-width * std::sin(a)));
    const QPoint p0 = item.Pos;
    const QPoint p1 = p0 + along;
    const QPoint p3(p0.x() + RoundHalfEven(height * std::cos(a - std::numbers::pi / 2)),
                    p0.y() + RoundHalfEven(height * std::sin(std::numbers::pi / 2 - a)));
    const QPoint p2 = p3 + along;

    QImage area(pictureSize, QImage::Format_RGB32);
    area.fill(Qt::white);
    QPainter painter(&area);
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::black);
    painter.drawPolygon(QPolygon({p0, p1, p2, p3}));
    painter.end();
    return BitmapToRegion(area, qRgb(255, 255, 255));
}
