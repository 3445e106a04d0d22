#include "program_pictures.h"

#include "art_kit.h"
#include "art_palette.h"

#include <QDir>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <functional>
#include <numbers>

namespace {

const ArtPalette& Look() {
    return PaletteOf(QStringLiteral("sky"));
}

QFont Font(int pixels, bool bold, bool italic = false) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

// A sky from deep blue above to pale blue at the horizon.
void Sky(QPainter& painter, const QRectF& area) {
    painter.fillRect(area, VerticalGradient(area, QColor("#1D4F86"), QColor("#8CC3EC")));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 30));
    for (const auto& [x, y, r] :
         {std::tuple{0.15, 0.9, 0.35}, std::tuple{0.6, 1.05, 0.45}, std::tuple{0.95, 0.95, 0.3}}) {
        painter.drawEllipse(QPointF(area.left() + x * area.width(), area.top() + y * area.height()),
                            r * area.width(), r * area.height());
    }
}

// A waveform across rect with a repeat section between the fractions a and b.
void Waveform(QPainter& painter, const QRectF& rect, double a, double b) {
    const ArtPalette& look = Look();
    const QRectF section(rect.left() + a * rect.width(), rect.top(), (b - a) * rect.width(),
                         rect.height());
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 45));
    painter.drawRoundedRect(section, 4, 4);
    for (int x = 0; x < static_cast<int>(rect.width()); x += 3) {
        const double t = x / rect.width();
        const double envelope = 0.25 + 0.75 * std::pow(std::sin(t * std::numbers::pi * 3.2), 2) *
                                           (0.6 + 0.4 * std::sin(t * 41));
        const double half = envelope * rect.height() * 0.45;
        const bool inside = t >= a && t <= b;
        painter.setBrush(inside ? QColor("#FFFFFF") : QColor(255, 255, 255, 150));
        painter.drawRoundedRect(QRectF(rect.left() + x, rect.center().y() - half, 2, 2 * half), 1,
                                1);
    }
    for (const auto& [t, letter, colour] :
         {std::tuple{a, "A", look.HeadMarker}, std::tuple{b, "B", look.TailMarker}}) {
        const double x = rect.left() + t * rect.width();
        painter.setPen(QPen(colour, 2));
        painter.drawLine(QPointF(x, rect.top() - 4), QPointF(x, rect.bottom() + 4));
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawRoundedRect(QRectF(x - 8, rect.top() - 20, 16, 15), 3, 3);
        painter.setPen(QColor("#10263D"));
        painter.setFont(Font(11, true));
        painter.drawText(QRectF(x - 8, rect.top() - 20, 16, 15), Qt::AlignCenter,
                         QString::fromLatin1(letter));
    }
}

void Logo(QPainter& painter, QPointF at, int pixels, const QColor& colour) {
    QPainterPath word;
    word.addText(at, Font(pixels, true, true), QStringLiteral("Quavrel"));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 70));
    painter.drawPath(word.translated(0, 2));
    painter.setBrush(colour);
    painter.drawPath(word);
}

// A picture of the given size with the sky behind whatever `draw` paints on it.
QImage SkyPicture(QSize size, const std::function<void(QPainter&)>& draw) {
    QImage picture(size, QImage::Format_RGB32);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    Sky(painter, picture.rect());
    draw(painter);
    painter.end();
    return picture;
}

QImage Splash() {
    return SkyPicture(QSize(420, 260), [](QPainter& painter) {
        Logo(painter, {36, 88}, 52, Qt::white);
        painter.setPen(QColor(255, 255, 255, 220));
        painter.setFont(Font(15, false));
        painter.drawText(QPointF(40, 116), QStringLiteral("Integrated Musical Transcribing Tool"));
        Waveform(painter, QRectF(36, 160, 348, 52), 0.38, 0.64);
        painter.setPen(QColor(255, 255, 255, 200));
        painter.setFont(Font(11, false));
        painter.drawText(QRectF(0, 232, 400, 16), Qt::AlignRight, QStringLiteral("Version 4.00"));
        painter.setPen(QPen(QColor(255, 255, 255, 90), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(0.5, 0.5, 419, 259));
    });
}

// Welcome: the loop of a section, the heart of transcribing by ear.
QImage Welcome() {
    return SkyPicture(QSize(360, 130), [](QPainter& painter) {
        Logo(painter, {22, 44}, 28, Qt::white);
        Waveform(painter, QRectF(22, 78, 316, 36), 0.3, 0.62);
    });
}

// A level meter beside a microphone: check that the right device records.
QImage RecordingDevice() {
    return SkyPicture(QSize(360, 130), [](QPainter& painter) {
        const ArtPalette& look = Look();
        // The microphone.
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        painter.drawRoundedRect(QRectF(52, 22, 34, 58), 17, 17);
        painter.setPen(QPen(Qt::white, 5, Qt::SolidLine, Qt::RoundCap));
        painter.setBrush(Qt::NoBrush);
        painter.drawArc(QRectF(40, 38, 58, 56), 200 * 16, 140 * 16);
        painter.drawLine(QPointF(69, 94), QPointF(69, 108));
        painter.drawLine(QPointF(54, 110), QPointF(84, 110));
        // The level meter.
        for (int i = 0; i < 14; ++i) {
            const QColor colour = i < 9    ? look.HeadMarker
                                  : i < 12 ? QColor("#FFD166")
                                           : look.Record;
            painter.setPen(Qt::NoPen);
            painter.setBrush(i < 11 ? colour : QColor(255, 255, 255, 60));
            painter.drawRoundedRect(QRectF(130 + i * 15, 96 - i * 4.5, 11, 14 + i * 4.5), 2, 2);
        }
        painter.setPen(Qt::white);
        painter.setFont(Font(14, true));
        painter.drawText(QPointF(130, 30), QStringLiteral("REC"));
        painter.setBrush(look.Record);
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(QPointF(174, 25), 6, 6);
    });
}

// The recording sources with the song, recorded directly, lit; the inputs of the desktop's
// sound settings beside it.
QImage RecordingSource() {
    return SkyPicture(QSize(360, 130), [](QPainter& painter) {
        const ArtPalette& look = Look();
        const double levels[] = {0.8, 0.35, 0.5, 0.25};
        const char* names[] = {"The Song", "Mic", "Line In", "Monitor"};
        for (int i = 0; i < 4; ++i) {
            const double x = 46 + i * 82;
            const bool chosen = i == 0;
            painter.setPen(Qt::NoPen);
            painter.setBrush(chosen ? QColor(255, 255, 255, 70) : QColor(255, 255, 255, 25));
            painter.drawRoundedRect(QRectF(x - 34, 10, 68, 112), 8, 8);
            painter.setBrush(QColor(10, 30, 50, 150));
            painter.drawRoundedRect(QRectF(x - 3, 20, 6, 72), 3, 3);
            const double knob = 20 + (1 - levels[i]) * 64;
            painter.setBrush(chosen ? look.Accent.lighter(130) : QColor("#E8F2FB"));
            painter.setPen(QPen(look.ThumbEdge, 1));
            painter.drawRoundedRect(QRectF(x - 14, knob, 28, 10), 3, 3);
            painter.setPen(chosen ? QColor(Qt::white) : QColor(255, 255, 255, 190));
            painter.setFont(Font(11, chosen));
            painter.drawText(QRectF(x - 40, 100, 80, 18), Qt::AlignCenter,
                             QString::fromLatin1(names[i]));
        }
    });
}

} // namespace

void PaintProgramPictures(const QString& skinsFolder) {
    QDir().mkpath(skinsFolder);
    SaveBitmap(Splash(), skinsFolder + "/splash.bmp");
    SaveBitmap(Welcome(), skinsFolder + "/imgmsg1.bmp");
    SaveBitmap(RecordingDevice(), skinsFolder + "/imgmsg2.bmp");
    SaveBitmap(RecordingSource(), skinsFolder + "/imgmsg3.bmp");
}
