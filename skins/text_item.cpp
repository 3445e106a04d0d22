#include "text_item.h"

#include <QFontMetrics>
#include <QPainter>
#include <initializer_list>

QColor ColorFromReference(int colorReference) {
    return QColor(colorReference & 0xFF, (colorReference >> 8) & 0xFF,
                  (colorReference >> 16) & 0xFF);
}

void DrawTextItem(QPainter& painter, const QFont& font, const TTextItem& item,
                  const QString& text) {
    painter.save();
    painter.setFont(font);
    painter.setBackgroundMode(Qt::TransparentMode);
    const int ascent = QFontMetrics(font).ascent();
    const auto layer = [&](int color, std::initializer_list<QPoint> offsets) {
        if (color == -1) {
            return;
        }
        painter.setPen(ColorFromReference(color));
        for (const QPoint offset : offsets) {
            // The offsets are on the screen, not along the turned text.
            painter.save();
            painter.translate(item.Pos + offset);
            painter.rotate(-item.Angle / 10.0);
            painter.drawText(QPoint(0, ascent), text);
            painter.restore();
        }
    };
    layer(item.ColorLight, {QPoint(-1, -1), QPoint(-1, 0), QPoint(0, -1)});
    layer(item.ColorShadow, {QPoint(1, 1), QPoint(0, 1), QPoint(1, 0)});
    layer(item.Color, {QPoint(0, 0)});
    painter.restore();
}
