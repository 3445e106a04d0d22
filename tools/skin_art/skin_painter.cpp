#include "skin_painter.h"

#include "art_kit.h"
#include "art_layout.h"
#include "art_palette.h"
#include "art_symbols.h"
#include "skins/picture_file.h"
#include "skins/text_item.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPainter>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace {

using F = TSkinFunction;

enum class ButtonState { Normal, Hot, Down, Off };

// The program's default time font, by which the display is sized.
QFont TimeFont() {
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(12);
    font.setBold(true);
    font.setItalic(true);
    return font;
}

QFont CaptionFont(int pixels, bool bold = true) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QRect Around(const QRect& a, const QRect& b) {
    return a.isNull() ? b : b.isNull() ? a : a.united(b);
}

// A speed ratio's place on the speed meter's sweep, in radians counter-clockwise from the
// right: 10 per cent at 30 degrees, 500 at 150.
double DialAngle(int percent) {
    const double f = (percent - 10) / 490.0;
    return (f * 120 + 30) * std::numbers::pi / 180;
}

class SkinPainter {
public:
    SkinPainter(const ArtLayout& layout, const ArtPalette& palette)
        : layout(layout), palette(palette) {}

    QImage MainBackground() const;
    QImage Button(const ArtControl& control, ButtonState state, const QImage& main) const;
    QImage Track(const ArtControl& control, const QImage& main) const;
    QImage Thumb(const ArtControl& control) const;
    QImage Dial(const ArtControl& control, const QImage& main) const;
    QImage DockMarker(const ArtControl& control, const QImage& main) const;
    QImage Cassette() const;
    QImage Card() const;

private:
    QRect DisplayRect() const;
    QRect SpeedPanelRect() const;
    void DrawLogo(QPainter& painter) const;
    void DrawDisplay(QPainter& painter) const;
    void DrawButtonFace(QPainter& painter, const QRectF& area, TSkinFunction function,
                        ButtonState state) const;

    const ArtLayout& layout;
    const ArtPalette& palette;
};

QRect SkinPainter::DisplayRect() const {
    const QFontMetrics metrics(TextItemFont(TimeFont()));
    const QSize sample(metrics.horizontalAdvance(QStringLiteral("00:00:00:00")), metrics.height());
    QRect display;
    for (const char* text : {"CurrentTime", "RepeatStart", "RepeatStop"}) {
        display = Around(display, QRect(layout.TimeText(text).Pos, sample));
    }
    for (const F bar : {F::PlayingPosition, F::RepeatStart, F::RepeatEnd, F::TransposeLabel}) {
        if (const ArtControl* control = layout.Find(bar)) {
            display = Around(display, control->Rect);
        }
    }
    return display.adjusted(-10, -7, 10, 6);
}

QRect SkinPainter::SpeedPanelRect() const {
    QRect panel;
    for (const F part : {F::SpeedMeter, F::Ratio, F::WaveSlow, F::WaveFast, F::ExecSpeedChange,
                         F::RestoreSpeedChange, F::SpeedMeterLabel}) {
        if (const ArtControl* control = layout.Find(part)) {
            panel = Around(panel, control->Rect);
        }
    }
    return panel.isNull() ? panel : panel.adjusted(-5, -5, 5, 5);
}

void SkinPainter::DrawLogo(QPainter& painter) const {
    const QPointF at(palette.BodyRadius * 0.85, 27);
    // A quaver: a slanted head, its stem and its flag.
    QPainterPath note;
    note.addEllipse(QPointF(at.x() + 4, at.y() - 3), 4.2, 3.2);
    note.addRect(QRectF(at.x() + 6.6, at.y() - 17, 1.8, 14));
    QPainterPath flag;
    flag.moveTo(at.x() + 8.4, at.y() - 17);
    flag.cubicTo(at.x() + 10, at.y() - 12, at.x() + 15, at.y() - 11, at.x() + 13, at.y() - 5);
    flag.cubicTo(at.x() + 13, at.y() - 9, at.x() + 10, at.y() - 11, at.x() + 8.4, at.y() - 12);
    note.addPath(flag);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(19);
    font.setBold(true);
    font.setItalic(true);
    QPainterPath word;
    word.addText(at + QPointF(18, 0), font, QStringLiteral("Quavrel"));
    painter.save();
    painter.setPen(Qt::NoPen);
    for (const auto& [offset, colour] :
         {std::pair{QPointF(0, 1), palette.LogoShadow}, std::pair{QPointF(0, 0), palette.Logo}}) {
        painter.setBrush(colour);
        painter.drawPath(note.translated(offset));
        painter.drawPath(word.translated(offset));
    }
    painter.restore();
}

void SkinPainter::DrawDisplay(QPainter& painter) const {
    const QRect display = DisplayRect();
    DrawWell(painter, display, palette.PanelRadius, palette.DisplayTop, palette.DisplayBottom,
             palette.DisplayEdge);
    painter.save();
    // A faint raster, as on a backlit readout.
    painter.setPen(QPen(palette.DisplayGrid, 1));
    for (int y = display.top() + 4; y < display.bottom() - 2; y += 3) {
        painter.drawLine(display.left() + 4, y, display.right() - 4, y);
    }
    // What each time is, left of it.
    painter.setFont(CaptionFont(10));
    const QFontMetrics metrics(TextItemFont(TimeFont()));
    const int rowHeight = metrics.height();
    const TTextItemLook now = layout.TimeText("CurrentTime");
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette.DisplayCaption);
    const QPointF tip(now.Pos.x() - 6, now.Pos.y() + rowHeight / 2.0);
    painter.drawPolygon(QPolygonF({tip, tip + QPointF(-7, -4.5), tip + QPointF(-7, 4.5)}));
    for (const auto& [text, letter, colour] : {std::tuple{"RepeatStart", "A", palette.HeadMarker},
                                               std::tuple{"RepeatStop", "B", palette.TailMarker}}) {
        const TTextItemLook look = layout.TimeText(text);
        painter.setPen(colour);
        painter.drawText(QRect(look.Pos.x() - 18, look.Pos.y(), 14, rowHeight), Qt::AlignCenter,
                         QString::fromLatin1(letter));
    }
    // A rule between the times and the bars.
    if (const ArtControl* bar = layout.Find(F::PlayingPosition)) {
        painter.setPen(QPen(palette.DisplayCaption.darker(160), 1));
        painter.drawLine(bar->Rect.left(), bar->Rect.top() - 4, bar->Rect.right(),
                         bar->Rect.top() - 4);
    }
    painter.restore();
}

QImage SkinPainter::MainBackground() const {
    const QSize size = layout.MainSize();
    QImage base(size, QImage::Format_RGB32);
    base.fill(palette.BodyEdge);
    QImage main = Keyed(base, [&](QPainter& painter) {
        const QRectF body(0.5, 0.5, size.width() - 1, size.height() - 1);
        painter.setPen(QPen(palette.BodyEdge, 1));
        painter.setBrush(VerticalGradient(body, palette.BodyTop, palette.BodyBottom));
        painter.drawPath(RoundedRect(body, palette.BodyRadius));
        // Light from above on the upper half, and a fine bright line inside the edge.
        const QRectF gloss = body.adjusted(3, 2.5, -3, -body.height() * 0.55);
        QColor clear = palette.BodyGloss;
        clear.setAlpha(0);
        painter.setPen(Qt::NoPen);
        painter.setBrush(VerticalGradient(gloss, palette.BodyGloss, clear));
        painter.drawPath(RoundedRect(gloss, palette.BodyRadius - 3));
        painter.setPen(QPen(QColor(255, 255, 255, 70), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(RoundedRect(body.adjusted(1, 1, -1, -1), palette.BodyRadius - 1));
    });
    QPainter painter(&main);
    painter.setRenderHint(QPainter::Antialiasing);
    DrawLogo(painter);
    DrawDisplay(painter);
    if (const QRect panel = SpeedPanelRect(); !panel.isNull()) {
        DrawWell(painter, panel, palette.PanelRadius, palette.PanelTop, palette.PanelBottom,
                 palette.PanelEdge);
    }
    painter.end();
    return WithKeyCorner(main, Qt::TopLeftCorner);
}

void SkinPainter::DrawButtonFace(QPainter& painter, const QRectF& area, TSkinFunction function,
                                 ButtonState state) const {
    const bool round = palette.RoundButtons && std::abs(area.width() - area.height()) < 0.5;
    const bool down = state == ButtonState::Down;
    const QRectF face = area.adjusted(0.5, 0.5 + (down ? 1 : 0), -0.5, -1.5 + (down ? 1 : 0));
    const auto faceShape = [&](const QRectF& rect) {
        QPainterPath path;
        if (round) {
            path.addEllipse(rect);
        } else {
            path = RoundedRect(rect, face.height() * palette.ButtonRadius -
                                         (face.width() - rect.width()) / 2);
        }
        return path;
    };
    const QPainterPath shape = faceShape(face);
    const bool accent = function == F::Play || (function == F::RepeatPlaySwitch && down);
    const bool danger = function == F::Exit && (state == ButtonState::Hot || down);
    QColor top = palette.ButtonTop;
    QColor bottom = palette.ButtonBottom;
    QColor edge = palette.ButtonEdge;
    QColor ink = palette.Symbol;
    if (accent) {
        top = palette.Accent.lighter(118);
        bottom = palette.AccentDark;
        edge = palette.AccentDark.darker(130);
        ink = palette.AccentSymbol;
    } else if (danger) {
        top = palette.Danger.lighter(125);
        bottom = palette.Danger.darker(115);
        edge = palette.Danger.darker(160);
        ink = QColor(Qt::white);
    }
    switch (state) {
    case ButtonState::Normal:
        break;
    case ButtonState::Hot:
        top = top.lighter(106);
        bottom = bottom.lighter(110);
        edge = accent || danger ? edge : palette.Accent;
        break;
    case ButtonState::Down:
        std::swap(top, bottom);
        top = top.darker(112);
        bottom = bottom.darker(104);
        break;
    case ButtonState::Off:
        top = Mix(top, palette.BodyBottom, 0.5);
        bottom = Mix(bottom, palette.BodyBottom, 0.5);
        edge = Mix(edge, palette.BodyBottom, 0.5);
        ink = palette.SymbolOff;
        break;
    }
    if (!down) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(palette.ButtonShadow);
        painter.drawPath(shape.translated(0, 1));
    }
    painter.setPen(QPen(edge, 1));
    painter.setBrush(VerticalGradient(face, top, bottom));
    painter.drawPath(shape);
    if (!down) {
        // A highlight on the upper half.
        const QRectF upper = face.adjusted(2, 1.5, -2, -face.height() * 0.5);
        painter.save();
        // Within the edge: at the corners the highlight would light the edge's pixels up.
        painter.setClipPath(faceShape(face.adjusted(1, 1, -1, -1)));
        painter.setPen(Qt::NoPen);
        painter.setBrush(VerticalGradient(upper, QColor(255, 255, 255, accent ? 110 : 150),
                                          QColor(255, 255, 255, 0)));
        painter.drawPath(round ? [&] {
            QPainterPath p;
            p.addEllipse(upper);
            return p;
        }()
                               : RoundedRect(upper, upper.height() * 0.6));
        painter.restore();
    }
    const double height = std::min(face.width(), face.height()) * (function == F::Play ? 0.42
                                                                   : round             ? 0.46
                                                                                       : 0.58);
    const double width = std::min(height * SymbolAspect(function), face.width() * 0.78);
    QRectF symbol(0, 0, width, height);
    symbol.moveCenter(face.center() + QPointF(function == F::Play ? height * 0.08 : 0, 0));
    const QColor record = state == ButtonState::Off ? palette.SymbolOff : palette.Record;
    DrawSymbol(painter, function, symbol, ink, record);
}

QImage SkinPainter::Button(const ArtControl& control, ButtonState state, const QImage& main) const {
    const std::optional<TSkinFunction> function =
        control.Functions.isEmpty() ? std::nullopt : FindSkinFunction(control.Functions.front());
    if (!function) {
        throw std::runtime_error("a button without a function");
    }
    const QRectF area(QPointF(0, 0), control.Rect.size());
    return WithKeyCorner(
        Keyed(main.copy(control.Rect),
              [&](QPainter& painter) { DrawButtonFace(painter, area, *function, state); }),
        Qt::BottomLeftCorner);
}

// Thumbs are as high as a horizontal bar, as wide as a vertical one.
int ThumbSize(const ArtControl& bar) {
    return bar.Properties.value("ScrollType") == u"Vertical" ? bar.Rect.width() : bar.Rect.height();
}

QImage SkinPainter::Track(const ArtControl& control, const QImage& main) const {
    QImage track = main.copy(control.Rect).convertToFormat(QImage::Format_RGB32);
    const double half = ThumbSize(control) / 2.0;
    const QPointF start(control.Integer("StartPosLeft", 0) + half,
                        control.Integer("StartPosTop", 0) + half);
    const QPointF end(control.Integer("EndPosLeft", 0) + half,
                      control.Integer("EndPosTop", 0) + half);
    QPainter painter(&track);
    painter.setRenderHint(QPainter::Antialiasing);
    auto line = [&](const QColor& colour, double width, QPointF offset) {
        QPen pen(colour, width);
        pen.setCapStyle(Qt::RoundCap);
        painter.setPen(pen);
        painter.drawLine(start + offset, end + offset);
    };
    if (control.Has(F::RepeatStart) || control.Has(F::RepeatEnd)) {
        QColor colour = control.Has(F::RepeatStart) ? palette.HeadMarker : palette.TailMarker;
        colour.setAlpha(90);
        QPen pen(colour, 1, Qt::DotLine);
        painter.setPen(pen);
        painter.drawLine(start, end);
    } else if (control.Has(F::PlayingPosition)) {
        line(palette.GrooveLight, 5, {0, 1});
        line(palette.Groove, 5, {0, 0});
    } else {
        line(QColor(255, 255, 255, 150), 4, {0, 1});
        line(palette.PanelEdge, 4, {0, 0});
    }
    painter.end();
    return WithKeyCorner(track, Qt::BottomLeftCorner);
}

QImage SkinPainter::Thumb(const ArtControl& control) const {
    const int size = ThumbSize(control);
    const bool head = control.Has(F::RepeatStart);
    const bool marker = head || control.Has(F::RepeatEnd);
    QImage base(size, size, QImage::Format_RGB32);
    base.fill(palette.ThumbEdge);
    return WithKeyCorner(
        Keyed(base,
              [&](QPainter& painter) {
                  painter.setPen(QPen(palette.ThumbEdge, 1));
                  if (marker) {
                      // A flag pointing up at the position bar.
                      const QColor colour = head ? palette.HeadMarker : palette.TailMarker;
                      painter.setBrush(
                          VerticalGradient(QRectF(0, 0, size, size), colour.lighter(130), colour));
                      painter.drawPolygon(
                          QPolygonF({QPointF(size / 2.0, 0.5), QPointF(size - 1.0, size - 1.5),
                                     QPointF(1.0, size - 1.5)}));
                      return;
                  }
                  const QRectF knob(0.5, 0.5, size - 1, size - 1);
                  painter.setBrush(VerticalGradient(knob, palette.ThumbTop, palette.ThumbBottom));
                  painter.drawEllipse(knob);
                  painter.setPen(Qt::NoPen);
                  painter.setBrush(palette.ThumbEdge);
                  painter.drawEllipse(knob.center(), size * 0.12, size * 0.12);
              }),
        Qt::BottomLeftCorner);
}

QImage SkinPainter::Dial(const ArtControl& control, const QImage& main) const {
    const ArtControl* meter = layout.Find(F::SpeedMeter);
    const int handPercent = meter != nullptr ? meter->Integer("HandLength", 70) : 70;
    const QSize size = control.Rect.size();
    const QPointF centre(size.width() / 2, size.height() - 1);
    const double radius = std::round(handPercent / 100.0 * std::min(size.width(), size.height()));
    auto at = [&](double angle, double r) {
        return centre + QPointF(std::cos(angle) * r, -std::sin(angle) * r);
    };
    return WithKeyCorner(
        Keyed(main.copy(control.Rect),
              [&](QPainter& painter) {
                  const double outer = std::min(radius + 8, centre.x() - 1);
                  QPainterPath face;
                  face.moveTo(centre);
                  face.arcTo(QRectF(centre - QPointF(outer, outer), QSizeF(2 * outer, 2 * outer)),
                             8, 164);
                  face.closeSubpath();
                  painter.setPen(QPen(palette.DialEdge, 1));
                  painter.setBrush(
                      VerticalGradient(QRectF(0, centre.y() - outer, size.width(), outer),
                                       palette.DialTop, palette.DialBottom));
                  painter.drawPath(face);
                  // The scale: every 50 per cent, longer every 100; 100 per cent (the song's own
                  // speed) marked.
                  for (int percent = 50; percent <= 500; percent += 50) {
                      const bool major = percent % 100 == 0;
                      const bool own = percent == 100;
                      QPen pen(own ? palette.DialMark : palette.DialScale, own     ? 2.2
                                                                           : major ? 1.6
                                                                                   : 1);
                      pen.setCapStyle(Qt::RoundCap);
                      painter.setPen(pen);
                      const double a = DialAngle(percent);
                      painter.drawLine(at(a, radius + 1), at(a, radius - (major ? 6 : 3)));
                  }
                  QPen arc(palette.DialScale, 1);
                  painter.setPen(arc);
                  painter.setBrush(Qt::NoBrush);
                  painter.drawArc(QRectF(centre - QPointF(radius + 1, radius + 1),
                                         QSizeF(2 * radius + 2, 2 * radius + 2)),
                                  30 * 16, 120 * 16);
                  painter.setPen(Qt::NoPen);
                  painter.setBrush(palette.DialScale);
                  painter.drawEllipse(centre, 3.5, 3.5);
              }),
        Qt::BottomLeftCorner);
}

QImage SkinPainter::DockMarker(const ArtControl& control, const QImage& main) const {
    const QSize size = control.Rect.size();
    // A latch pointing where the window docks: down from a wide marker, right from a tall one.
    const bool down = size.width() >= size.height();
    return WithKeyCorner(Keyed(main.copy(control.Rect),
                               [&](QPainter& painter) {
                                   const double along = down ? size.width() : size.height();
                                   const double across = down ? size.height() : size.width();
                                   QPolygonF tab({QPointF(0.5, 0.5), QPointF(along - 0.5, 0.5),
                                                  QPointF(along / 2 + across * 0.9, across - 0.5),
                                                  QPointF(along / 2 - across * 0.9, across - 0.5)});
                                   if (!down) {
                                       for (QPointF& point : tab) {
                                           point = QPointF(point.y(), point.x());
                                       }
                                   }
                                   painter.setPen(QPen(palette.AccentDark, 1));
                                   painter.setBrush(VerticalGradient(QRectF(QPointF(0, 0), size),
                                                                     palette.Accent.lighter(120),
                                                                     palette.AccentDark));
                                   painter.drawPolygon(tab);
                               }),
                         Qt::BottomLeftCorner);
}

QImage SkinPainter::Cassette() const {
    const QSize size = ArtLayout::Size(layout.Cassette);
    const double w = size.width();
    const double h = size.height();
    QImage base(size, QImage::Format_RGB32);
    base.fill(palette.ShellEdge);
    QImage shell = Keyed(base, [&](QPainter& painter) {
        const QRectF body(0.5, 0.5, w - 1, h - 1);
        painter.setPen(QPen(palette.ShellEdge, 1));
        painter.setBrush(VerticalGradient(body, palette.ShellTop, palette.ShellBottom));
        painter.drawPath(RoundedRect(body, 8));
    });
    QPainter painter(&shell);
    painter.setRenderHint(QPainter::Antialiasing);
    // Screws in the corners.
    painter.setPen(QPen(palette.ShellEdge.lighter(140), 1));
    painter.setBrush(palette.ShellBottom.lighter(115));
    for (const QPointF screw :
         {QPointF(7, 7), QPointF(w - 7, 7), QPointF(7, h - 7), QPointF(w - 7, h - 7)}) {
        painter.drawEllipse(screw, 2.6, 2.6);
    }
    // The label, with the window to the reels cut out of it.
    const QRectF label(16, 5, w - 32, h * 0.66);
    const QRectF window(w * 0.24, h * 0.38, w * 0.52, h * 0.25);
    QPainterPath labelShape = RoundedRect(label, 5);
    labelShape = labelShape.subtracted(RoundedRect(window, window.height() / 2));
    painter.setPen(QPen(palette.ShellEdge.lighter(120), 1));
    painter.setBrush(palette.Label);
    painter.drawPath(labelShape);
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette.LabelStripe);
    painter.drawRect(QRectF(label.left() + 1, label.top() + h * 0.30, label.width() - 2, 3));
    painter.setBrush(Mix(palette.LabelStripe, palette.Label, 0.55));
    painter.drawRect(QRectF(label.left() + 1, label.top() + h * 0.30 + 4, label.width() - 2, 2));
    painter.setBrush(palette.ReelWindow);
    painter.drawPath(RoundedRect(window.adjusted(1, 1, -1, -1), window.height() / 2));
    // Two reels with their teeth, and the tape between.
    const double reel = window.height() * 0.4;
    for (const double x : {w * 0.35, w * 0.65}) {
        const QPointF centre(x, window.center().y());
        painter.setBrush(palette.Reel);
        painter.drawEllipse(centre, reel, reel);
        painter.setBrush(palette.ReelWindow);
        painter.drawEllipse(centre, reel * 0.55, reel * 0.55);
        painter.setBrush(palette.Reel);
        for (int tooth = 0; tooth < 6; ++tooth) {
            const double a = tooth * std::numbers::pi / 3;
            painter.drawEllipse(centre + QPointF(std::cos(a), std::sin(a)) * reel * 0.45,
                                reel * 0.14, reel * 0.14);
        }
    }
    painter.setBrush(palette.ReelWindow.lighter(170));
    painter.drawRect(QRectF(w * 0.42, window.center().y() - 2, w * 0.16, 4));
    // The head opening at the bottom edge, with its guide holes.
    QPainterPath opening;
    opening.addPolygon(QPolygonF({QPointF(w * 0.24, h - 0.5), QPointF(w * 0.29, h * 0.78),
                                  QPointF(w * 0.71, h * 0.78), QPointF(w * 0.76, h - 0.5)}));
    painter.setPen(QPen(palette.ShellEdge, 1));
    painter.setBrush(VerticalGradient(QRectF(0, h * 0.78, w, h * 0.22), palette.ShellBottom,
                                      palette.ShellBottom.darker(115)));
    painter.drawPath(opening);
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette.ShellEdge);
    for (const double x : {w * 0.34, w * 0.44, w * 0.56, w * 0.66}) {
        painter.drawEllipse(QPointF(x, h * 0.88), 2.2, 2.2);
    }
    painter.end();
    return WithKeyCorner(shell, Qt::TopLeftCorner);
}

QImage SkinPainter::Card() const {
    const QSize size = ArtLayout::Size(layout.Card);
    const double w = size.width();
    const double h = size.height();
    QImage base(size, QImage::Format_RGB32);
    base.fill(palette.CardEdge);
    const QRectF body(0.5, 0.5, w - 1, h - 1);
    QPainterPath outline = RoundedRect(body, 6);
    QPainterPath notch;
    notch.addPolygon(QPolygonF({QPointF(w - 16, -1), QPointF(w + 1, -1), QPointF(w + 1, 16)}));
    outline = outline.subtracted(notch);
    QImage card = Keyed(base, [&](QPainter& painter) {
        painter.setPen(QPen(palette.CardEdge, 1));
        painter.setBrush(VerticalGradient(body, palette.CardTop, palette.CardBottom));
        painter.drawPath(outline);
    });
    QPainter painter(&card);
    painter.setRenderHint(QPainter::Antialiasing);
    // Contacts along the left edge.
    painter.setPen(QPen(palette.Contacts.darker(140), 1));
    painter.setBrush(
        VerticalGradient(QRectF(0, 0, 10, h), palette.Contacts.lighter(125), palette.Contacts));
    for (int i = 0; i < 5; ++i) {
        painter.drawRoundedRect(QRectF(6, 9 + i * (h - 18) / 5.0, 12, (h - 18) / 5.0 - 3), 1.5,
                                1.5);
    }
    // The label with its stripe, and a little A-B section drawn on it.
    const QRectF label(28, 7, w - 50, h - 14);
    painter.setPen(QPen(palette.CardEdge.lighter(160), 1));
    painter.setBrush(palette.Label);
    painter.drawPath(RoundedRect(label, 4));
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette.CardStripe);
    painter.drawRect(QRectF(label.left() + 1, label.bottom() - 9, label.width() - 2, 4));
    const double y = label.bottom() - 16;
    painter.setBrush(palette.HeadMarker);
    painter.drawEllipse(QPointF(label.left() + 12, y), 2.5, 2.5);
    painter.setBrush(palette.TailMarker);
    painter.drawEllipse(QPointF(label.right() - 12, y), 2.5, 2.5);
    painter.setPen(QPen(Mix(palette.CardStripe, palette.Label, 0.4), 1.2, Qt::DashLine));
    painter.drawLine(QPointF(label.left() + 17, y), QPointF(label.right() - 17, y));
    painter.end();
    return WithKeyCorner(card, Qt::TopLeftCorner);
}

void CopyFile(const QString& from, const QString& to) {
    QFile::remove(to);
    if (!QFile::copy(from, to)) {
        throw std::runtime_error("cannot copy " + from.toStdString() + " to " + to.toStdString());
    }
}

} // namespace

void PaintSkin(const QString& sourceFolder, const QString& outFolder) {
    const QString skin = QFileInfo(QDir::cleanPath(sourceFolder)).fileName();
    const ArtLayout layout = ReadArtLayout(sourceFolder + "/skin.xml");
    const SkinPainter painter(layout, PaletteOf(skin));
    QDir().mkpath(outFolder);
    auto save = [&](const QImage& picture, const QString& file) {
        if (!file.isEmpty()) {
            SaveBitmap(picture, outFolder + "/" + file);
        }
    };
    const QImage main = painter.MainBackground();
    save(main, layout.Main.Text("Background"));
    save(painter.Cassette(), layout.Cassette.Text("Background"));
    save(painter.Card(), layout.Card.Text("Background"));
    const std::pair<const char*, ButtonState> states[] = {
        {"BitmapNormal", ButtonState::Normal},
        {"BitmapHighlighted", ButtonState::Hot},
        {"BitmapDowned", ButtonState::Down},
        {"BitmapDisabled", ButtonState::Off},
    };
    for (const ArtControl& control : layout.Controls) {
        switch (control.Element) {
        case TSkinElement::Button:
            for (const auto& [property, state] : states) {
                save(painter.Button(control, state, main), control.Properties.value(property));
            }
            break;
        case TSkinElement::ScrollBar:
            save(painter.Track(control, main), control.Properties.value("BitmapGuide"));
            save(painter.Thumb(control), control.Properties.value("BitmapThumb"));
            break;
        case TSkinElement::Image:
            if (control.Has(F::Velocity)) {
                save(painter.Dial(control, main), control.Properties.value("Bitmap"));
            } else if (control.Has(F::DockingPoint)) {
                save(painter.DockMarker(control, main), control.Properties.value("Bitmap"));
            } else {
                throw std::runtime_error("no drawing for the picture " +
                                         control.Properties.value("Bitmap").toStdString());
            }
            break;
        default:
            break;
        }
    }
    for (const char* file : {"skin.xml", "Title.txt"}) {
        CopyFile(sourceFolder + "/" + file, outFolder + "/" + file);
    }
}
