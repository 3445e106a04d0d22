#include "cassettes/default_skins.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <numbers>

namespace {

// Left out of the window's shape: the corners around the rounded body.
const QColor Transparent(255, 0, 255);

// A Windows colour reference (red in the lowest byte).
int Reference(const QColor& color) {
    return color.red() | color.green() << 8 | color.blue() << 16;
}

QImage Canvas(int width, int height) {
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(Transparent);
    return picture;
}

// The outline is drawn without smoothing: a blended edge pixel would belong to the shape and
// show as a fringe of the transparent colour.
void FillOutline(QPainter& painter, const QPainterPath& outline, const QBrush& brush) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillPath(outline, brush);
    painter.setRenderHint(QPainter::Antialiasing, true);
}

void DrawReel(QPainter& painter, QPointF centre) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(236, 232, 222));
    painter.drawEllipse(centre, 10, 10);
    painter.setBrush(QColor(48, 50, 56));
    painter.drawEllipse(centre, 5, 5);
    // The teeth that take the spindle.
    painter.setBrush(QColor(236, 232, 222));
    for (int tooth = 0; tooth < 6; ++tooth) {
        const double angle = tooth * std::numbers::pi / 3;
        painter.drawEllipse(centre + QPointF(3.8 * std::cos(angle), 3.8 * std::sin(angle)), 1.3,
                            1.3);
    }
}

// A drawn picture's look: its size, the body colour behind it, where it docks and its title.
TSkinWindowLook LookOf(const QImage& picture, const QColor& body, QPoint titlePos,
                       const QColor& titleColor) {
    TSkinWindowLook skin;
    skin.Background = picture;
    skin.BackgroundColor = Reference(body);
    skin.Width = picture.width();
    skin.Height = picture.height();
    skin.DockingPoint = QPoint(24, 48);
    skin.Title.Pos = titlePos;
    skin.Title.Color = Reference(titleColor);
    return skin;
}

} // namespace

TSkinWindowLook DefaultCassetteSkin() {
    constexpr int Width = 176;
    constexpr int Height = 110;
    const QColor body(52, 57, 66);
    QImage picture = Canvas(Width, Height);
    QPainter painter(&picture);

    QPainterPath outline;
    outline.addRoundedRect(QRectF(0, 0, Width, Height), 10, 10);
    QLinearGradient shell(0, 0, 0, Height);
    shell.setColorAt(0, body.lighter(125));
    shell.setColorAt(1, body.darker(130));
    FillOutline(painter, outline, shell);

    // The label, with a coloured band under the title.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(241, 233, 212));
    painter.drawRoundedRect(QRectF(12, 9, Width - 24, 64), 5, 5);
    painter.setBrush(QColor(214, 92, 62));
    painter.drawRect(QRectF(12, 36, Width - 24, 5));
    painter.setBrush(QColor(240, 176, 64));
    painter.drawRect(QRectF(12, 41, Width - 24, 3));

    // The window onto the tape, with the two reels.
    painter.setBrush(QColor(24, 26, 31));
    painter.drawRoundedRect(QRectF(34, 47, Width - 68, 22), 11, 11);
    painter.setBrush(QColor(92, 62, 44));
    painter.drawRect(QRectF(58, 54, Width - 116, 8));
    DrawReel(painter, QPointF(58, 58));
    DrawReel(painter, QPointF(Width - 58, 58));

    // The lower edge where the tape runs, with its two guide holes.
    QPainterPath bottom;
    bottom.moveTo(30, Height);
    bottom.lineTo(40, Height - 26);
    bottom.lineTo(Width - 40, Height - 26);
    bottom.lineTo(Width - 30, Height);
    bottom.closeSubpath();
    painter.fillPath(bottom, body.darker(150));
    painter.setBrush(QColor(18, 19, 22));
    painter.drawEllipse(QPointF(58, Height - 12), 4, 4);
    painter.drawEllipse(QPointF(Width - 58, Height - 12), 4, 4);
    painter.setBrush(body.lighter(160));
    for (const QPointF screw : {QPointF(8, 8), QPointF(Width - 8, 8), QPointF(8, Height - 8),
                                QPointF(Width - 8, Height - 8)}) {
        painter.drawEllipse(screw, 2.2, 2.2);
    }
    painter.end();

    TSkinWindowLook skin = LookOf(picture, body, QPoint(20, 14), QColor(40, 44, 52));
    skin.Title.ColorLight = Reference(Qt::white);
    return skin;
}

TSkinWindowLook DefaultCardSkin() {
    constexpr int Width = 132;
    constexpr int Height = 84;
    constexpr int Notch = 16;
    const QColor body(33, 84, 138);
    QImage picture = Canvas(Width, Height);
    QPainter painter(&picture);

    // A card with its top-right corner cut off, as memory cards have.
    QPainterPath outline;
    outline.moveTo(6, 0);
    outline.lineTo(Width - Notch, 0);
    outline.lineTo(Width, Notch);
    outline.lineTo(Width, Height - 6);
    outline.quadTo(Width, Height, Width - 6, Height);
    outline.lineTo(6, Height);
    outline.quadTo(0, Height, 0, Height - 6);
    outline.lineTo(0, 6);
    outline.quadTo(0, 0, 6, 0);
    QLinearGradient shell(0, 0, Width, Height);
    shell.setColorAt(0, body.lighter(135));
    shell.setColorAt(1, body.darker(125));
    FillOutline(painter, outline, shell);

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(245, 247, 250));
    painter.drawRoundedRect(QRectF(9, 10, Width - 18 - Notch / 2, 36), 4, 4);
    painter.setBrush(QColor(86, 170, 214));
    painter.drawRect(QRectF(9, 40, Width - 18 - Notch / 2, 3));

    // Gold contacts along the lower edge.
    painter.setBrush(QColor(212, 165, 55));
    for (int contact = 0; contact < 8; ++contact) {
        painter.drawRoundedRect(QRectF(12 + contact * 14, Height - 24, 9, 16), 1.5, 1.5);
    }
    painter.end();

    return LookOf(picture, body, QPoint(15, 15), QColor(22, 52, 92));
}
