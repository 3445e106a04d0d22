#include "art_symbols.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>
#include <numbers>

namespace {

using F = TSkinFunction;

// Coordinates within the box from fractions of its size.
class Box {
public:
    explicit Box(const QRectF& box) : box(box) {}
    QPointF At(double x, double y) const {
        return {box.left() + x * box.width(), box.top() + y * box.height()};
    }
    QRectF Rect(double x, double y, double w, double h) const {
        return {At(x, y), QSizeF(w * box.width(), h * box.height())};
    }
    double Width() const { return box.width(); }
    double Height() const { return box.height(); }

private:
    QRectF box;
};

QPainterPath Triangle(QPointF a, QPointF b, QPointF c) {
    QPainterPath path;
    path.addPolygon(QPolygonF({a, b, c, a}));
    return path;
}

QPainterPath RoundedBar(const QRectF& rect) {
    QPainterPath path;
    const double r = std::min(rect.width(), rect.height()) * 0.22;
    path.addRoundedRect(rect, r, r);
    return path;
}

// Text as a filled shape, centred on `centre`.
QPainterPath Letters(const QString& text, QPointF centre, double height) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setBold(true);
    font.setPixelSize(std::max(6, static_cast<int>(std::lround(height))));
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF bounds = path.boundingRect();
    return path.translated(centre - bounds.center());
}

QPen Stroke(const QColor& ink, double width) {
    QPen pen(ink, width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

// An arrow head at `tip` pointing along `angle` (radians, screen y downwards).
QPainterPath ArrowHead(QPointF tip, double angle, double size) {
    const QPointF back(std::cos(angle) * size, std::sin(angle) * size);
    const QPointF side(-std::sin(angle) * size * 0.75, std::cos(angle) * size * 0.75);
    return Triangle(tip, tip - back + side, tip - back - side);
}

// A circular arrow about the box's middle, turning counter-clockwise from `from` to `to`
// degrees, its head at the end.
void CircularArrow(QPainter& painter, const Box& b, const QColor& ink, double from, double to,
                   double radius) {
    const double s = b.Height();
    const QPointF centre = b.At(0.5, 0.5);
    const QRectF circle(centre - QPointF(radius * s, radius * s),
                        QSizeF(2 * radius * s, 2 * radius * s));
    painter.setPen(Stroke(ink, 0.13 * s));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(circle, static_cast<int>(from * 16), static_cast<int>((to - from) * 16));
    const double end = to * std::numbers::pi / 180;
    const QPointF tip(centre.x() + std::cos(end) * radius * s,
                      centre.y() - std::sin(end) * radius * s);
    // The way a counter-clockwise turn goes at its end, on a screen whose y grows downwards.
    const double direction = std::atan2(-std::cos(end), -std::sin(end));
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawPath(ArrowHead(tip + QPointF(std::cos(direction), std::sin(direction)) * 0.08 * s,
                               direction, 0.28 * s));
}

void Gear(QPainter& painter, const Box& b, const QColor& ink) {
    const QPointF c = b.At(0.5, 0.5);
    const double s = b.Height();
    QPainterPath gear;
    constexpr int Teeth = 8;
    QPolygonF outline;
    for (int i = 0; i < Teeth * 4; ++i) {
        const double a = (i - 0.5) * 2 * std::numbers::pi / (Teeth * 4);
        const double r = (i % 4 < 2 ? 0.5 : 0.36) * s;
        outline << c + QPointF(std::cos(a) * r, std::sin(a) * r);
    }
    outline << outline.first();
    gear.addPolygon(outline);
    gear.addEllipse(c, 0.16 * s, 0.16 * s);
    gear.setFillRule(Qt::OddEvenFill);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawPath(gear);
}

// A sharp: two upright strokes crossed by two thick bars rising to the right.
void Sharp(QPainter& painter, const Box& b, const QColor& ink) {
    const double s = b.Height();
    painter.setPen(Stroke(ink, 0.09 * s));
    painter.drawLine(b.At(0.38, 0.04), b.At(0.38, 0.9));
    painter.drawLine(b.At(0.62, 0.1), b.At(0.62, 0.96));
    painter.setPen(Stroke(ink, 0.17 * s));
    painter.drawLine(b.At(0.16, 0.4), b.At(0.84, 0.28));
    painter.drawLine(b.At(0.16, 0.74), b.At(0.84, 0.62));
}

// A flat: a stem with a round belly at its foot.
void Flat(QPainter& painter, const Box& b, const QColor& ink) {
    const double s = b.Height();
    painter.setPen(Stroke(ink, 0.12 * s));
    painter.setBrush(Qt::NoBrush);
    painter.drawLine(b.At(0.32, 0.02), b.At(0.32, 0.94));
    QPainterPath belly;
    belly.moveTo(b.At(0.32, 0.58));
    belly.cubicTo(b.At(0.5, 0.4), b.At(0.86, 0.42), b.At(0.76, 0.62));
    belly.cubicTo(b.At(0.68, 0.78), b.At(0.5, 0.86), b.At(0.32, 0.94));
    painter.drawPath(belly);
}

// Plus or minus, then a cent sign: the fine tuning by cents.
void Cents(QPainter& painter, const Box& b, bool up) {
    const double thick = 0.15 * b.Height() / b.Width();
    painter.drawPath(RoundedBar(b.Rect(0.02, 0.43, 0.36, 0.15)));
    if (up) {
        painter.drawPath(RoundedBar(b.Rect(0.2 - thick / 2, 0.25, thick, 0.51)));
    }
    painter.drawPath(Letters(QStringLiteral("\u00A2"), b.At(0.72, 0.52), 1.05 * b.Height()));
}

// Steps climbing to the right beside an arrow pointing up: each pass a little faster.
void Trainer(QPainter& painter, const Box& b, const QColor& ink) {
    for (int i = 0; i < 3; ++i) {
        const double height = 0.34 + i * 0.3;
        painter.drawPath(RoundedBar(b.Rect(0.02 + i * 0.2, 0.98 - height, 0.16, height)));
    }
    const double s = b.Height();
    painter.setPen(Stroke(ink, 0.13 * s));
    painter.drawLine(b.At(0.83, 0.96), b.At(0.83, 0.4));
    painter.setPen(Qt::NoPen);
    painter.drawPath(ArrowHead(b.At(0.83, 0.02), -std::numbers::pi / 2, 0.42 * s));
}

} // namespace

double SymbolAspect(TSkinFunction function) {
    switch (function) {
    case F::RepeatPlaySwitch:
    case F::SpeedReset:
        return 1.7;
    case F::CentsUp:
    case F::CentsDown:
    case F::SpeedTrainer:
        return 1.35;
    case F::RepStartBack:
    case F::RepStartStep:
    case F::RepEndBack:
    case F::RepEndStep:
    case F::RepStartSet:
    case F::RepEndSet:
    case F::JumpToStartTime:
        return 1.35;
    default:
        return 1.0;
    }
}

void DrawSymbol(QPainter& painter, TSkinFunction function, const QRectF& box, const QColor& ink,
                const QColor& record) {
    const Box b(box);
    const double s = b.Height();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    switch (function) {
    case F::Play:
        painter.drawPath(Triangle(b.At(0.2, 0.04), b.At(0.2, 0.96), b.At(0.98, 0.5)));
        break;
    case F::Pause:
        painter.drawPath(RoundedBar(b.Rect(0.14, 0.06, 0.26, 0.88)));
        painter.drawPath(RoundedBar(b.Rect(0.6, 0.06, 0.26, 0.88)));
        break;
    case F::Stop:
        painter.drawPath(RoundedBar(b.Rect(0.1, 0.1, 0.8, 0.8)));
        break;
    case F::Back:
        painter.drawPath(Triangle(b.At(0.52, 0.14), b.At(0.52, 0.86), b.At(0.02, 0.5)));
        painter.drawPath(Triangle(b.At(0.98, 0.14), b.At(0.98, 0.86), b.At(0.48, 0.5)));
        break;
    case F::Step:
        painter.drawPath(Triangle(b.At(0.02, 0.14), b.At(0.02, 0.86), b.At(0.52, 0.5)));
        painter.drawPath(Triangle(b.At(0.48, 0.14), b.At(0.48, 0.86), b.At(0.98, 0.5)));
        break;
    case F::PrevTrack:
        painter.drawPath(RoundedBar(b.Rect(0.06, 0.12, 0.16, 0.76)));
        painter.drawPath(Triangle(b.At(0.94, 0.1), b.At(0.94, 0.9), b.At(0.24, 0.5)));
        break;
    case F::NextTrack:
        painter.drawPath(RoundedBar(b.Rect(0.78, 0.12, 0.16, 0.76)));
        painter.drawPath(Triangle(b.At(0.06, 0.1), b.At(0.06, 0.9), b.At(0.76, 0.5)));
        break;
    case F::Eject:
        painter.drawPath(Triangle(b.At(0.06, 0.6), b.At(0.94, 0.6), b.At(0.5, 0.08)));
        painter.drawPath(RoundedBar(b.Rect(0.06, 0.74, 0.88, 0.17)));
        break;
    case F::Rec:
        painter.setBrush(record);
        painter.drawEllipse(b.Rect(0.14, 0.14, 0.72, 0.72));
        break;
    case F::AutoRec:
        painter.setBrush(record);
        painter.drawEllipse(b.Rect(0.3, 0.3, 0.4, 0.4));
        CircularArrow(painter, b, ink, 100, 400, 0.44);
        break;
    case F::RepeatPlaySwitch: {
        // A loop: along the top to the right, back along the bottom to the left.
        const double w = box.width();
        const double h = box.height();
        painter.setPen(Stroke(ink, 0.15 * h));
        painter.setBrush(Qt::NoBrush);
        QPainterPath loop;
        loop.moveTo(box.left() + 0.3 * w, box.top() + 0.18 * h);
        loop.lineTo(box.left() + 0.72 * w, box.top() + 0.18 * h);
        loop.arcTo(QRectF(box.left() + 0.56 * w, box.top() + 0.18 * h, 0.34 * h * 1.9, 0.64 * h),
                   90, -180);
        loop.lineTo(box.left() + 0.28 * w, box.top() + 0.82 * h);
        loop.arcTo(QRectF(box.left() + 0.1 * w, box.top() + 0.18 * h, 0.34 * h * 1.9, 0.64 * h),
                   270, -180);
        painter.drawPath(loop);
        painter.setPen(Qt::NoPen);
        painter.setBrush(ink);
        painter.drawPath(
            ArrowHead(QPointF(box.left() + 0.64 * w, box.top() + 0.18 * h), 0, 0.3 * h));
        painter.drawPath(ArrowHead(QPointF(box.left() + 0.36 * w, box.top() + 0.82 * h),
                                   std::numbers::pi, 0.3 * h));
        break;
    }
    case F::RepStartSet:
        painter.drawPath(Letters(QStringLiteral("[A"), b.At(0.5, 0.5), 1.05 * s));
        break;
    case F::RepEndSet:
        painter.drawPath(Letters(QStringLiteral("B]"), b.At(0.5, 0.5), 1.05 * s));
        break;
    case F::RepStartBack:
    case F::RepEndBack:
        painter.drawPath(Triangle(b.At(0.34, 0.22), b.At(0.34, 0.78), b.At(0.02, 0.5)));
        painter.drawPath(
            Letters(function == F::RepStartBack ? QStringLiteral("A") : QStringLiteral("B"),
                    b.At(0.7, 0.5), 1.0 * s));
        break;
    case F::RepStartStep:
    case F::RepEndStep:
        painter.drawPath(Triangle(b.At(0.66, 0.22), b.At(0.66, 0.78), b.At(0.98, 0.5)));
        painter.drawPath(
            Letters(function == F::RepStartStep ? QStringLiteral("A") : QStringLiteral("B"),
                    b.At(0.3, 0.5), 1.0 * s));
        break;
    case F::JumpToStartTime:
        painter.drawPath(RoundedBar(b.Rect(0.02, 0.1, 0.11, 0.8)));
        painter.drawPath(Triangle(b.At(0.46, 0.2), b.At(0.46, 0.8), b.At(0.17, 0.5)));
        painter.drawPath(Letters(QStringLiteral("A"), b.At(0.76, 0.5), 1.0 * s));
        break;
    case F::HistoryBack: {
        painter.setPen(Stroke(ink, 0.14 * s));
        painter.setBrush(Qt::NoBrush);
        QPainterPath hook;
        hook.moveTo(b.At(0.3, 0.34));
        hook.lineTo(b.At(0.62, 0.34));
        hook.arcTo(b.Rect(0.4, 0.34, 0.5, 0.5), 90, -180);
        hook.lineTo(b.At(0.36, 0.84));
        painter.drawPath(hook);
        painter.setPen(Qt::NoPen);
        painter.setBrush(ink);
        painter.drawPath(ArrowHead(b.At(0.04, 0.34), std::numbers::pi, 0.34 * s));
        break;
    }
    case F::WaveSlow:
        painter.drawPath(RoundedBar(b.Rect(0.12, 0.4, 0.76, 0.2)));
        break;
    case F::WaveFast:
        painter.drawPath(RoundedBar(b.Rect(0.12, 0.4, 0.76, 0.2)));
        painter.drawPath(RoundedBar(b.Rect(0.4, 0.12, 0.2, 0.76)));
        break;
    case F::ExecSpeedChange: {
        painter.setPen(Stroke(ink, 0.17 * s));
        painter.setBrush(Qt::NoBrush);
        QPainterPath tick;
        tick.moveTo(b.At(0.12, 0.52));
        tick.lineTo(b.At(0.4, 0.8));
        tick.lineTo(b.At(0.9, 0.2));
        painter.drawPath(tick);
        break;
    }
    case F::RestoreSpeedChange:
        // Back to the recording's own speed.
        painter.drawPath(Letters(QStringLiteral("1\u00D7"), b.At(0.5, 0.5), 1.0 * s));
        break;
    case F::Trash: {
        painter.drawPath(RoundedBar(b.Rect(0.1, 0.16, 0.8, 0.11)));
        painter.drawPath(RoundedBar(b.Rect(0.38, 0.04, 0.24, 0.16)));
        QPainterPath body;
        body.addPolygon(
            QPolygonF({b.At(0.18, 0.33), b.At(0.82, 0.33), b.At(0.74, 0.96), b.At(0.26, 0.96)}));
        painter.drawPath(body);
        painter.setBrush(Qt::NoBrush);
        break;
    }
    case F::Select:
        for (int i = 0; i < 3; ++i) {
            const double y = 0.14 + i * 0.3;
            painter.drawEllipse(b.Rect(0.04, y, 0.2, 0.2));
            painter.drawPath(RoundedBar(b.Rect(0.34, y + 0.03, 0.62, 0.14)));
        }
        break;
    case F::EjectCassette: {
        painter.drawPath(Triangle(b.At(0.26, 0.34), b.At(0.74, 0.34), b.At(0.5, 0.02)));
        painter.setPen(Stroke(ink, 0.1 * s));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(b.Rect(0.05, 0.46, 0.9, 0.48), 0.08 * s, 0.08 * s);
        painter.setPen(Qt::NoPen);
        painter.setBrush(ink);
        painter.drawEllipse(b.Rect(0.22, 0.6, 0.18, 0.18));
        painter.drawEllipse(b.Rect(0.6, 0.6, 0.18, 0.18));
        break;
    }
    case F::Minimize:
        painter.drawPath(RoundedBar(b.Rect(0.14, 0.66, 0.72, 0.18)));
        break;
    case F::Exit:
        painter.setPen(Stroke(ink, 0.18 * s));
        painter.drawLine(b.At(0.16, 0.16), b.At(0.84, 0.84));
        painter.drawLine(b.At(0.84, 0.16), b.At(0.16, 0.84));
        break;
    case F::Config:
        Gear(painter, b, ink);
        break;
    case F::ShowVornic:
        painter.drawPath(Letters(QStringLiteral("?"), b.At(0.5, 0.5), 1.2 * s));
        break;
    case F::ShowHomepage: {
        painter.drawPath(Triangle(b.At(0.02, 0.5), b.At(0.98, 0.5), b.At(0.5, 0.06)));
        painter.drawPath(RoundedBar(b.Rect(0.18, 0.48, 0.64, 0.46)));
        break;
    }
    case F::SpeedReset:
        // Back to the song's own speed.
        painter.drawPath(Letters(QStringLiteral("100%"), b.At(0.5, 0.5), 0.95 * s));
        break;
    case F::TransposeUp:
        Sharp(painter, b, ink);
        break;
    case F::TransposeDown:
        Flat(painter, b, ink);
        break;
    case F::CentsUp:
    case F::CentsDown:
        Cents(painter, b, function == F::CentsUp);
        break;
    case F::SpeedTrainer:
        Trainer(painter, b, ink);
        break;
    case F::Velocity:
    case F::Image:
    case F::DockingPoint:
    case F::SpeedMeterLabel:
    case F::SpeedMeter:
    case F::PlayingPosition:
    case F::RepeatStart:
    case F::RepeatEnd:
    case F::Ratio:
    case F::TransposeLabel:
        break;
    }
    painter.restore();
}
