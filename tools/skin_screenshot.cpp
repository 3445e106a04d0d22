#include "skin_screenshot.h"

#include "actions/message_format.h"
#include "actions/messages.h"
#include "skins/bitmap_region.h"
#include "skins/bitmap_scroll_bar.h"
#include "skins/skin_background.h"
#include "skins/skin_target.h"
#include "skins/skin_values.h"
#include "skins/text_item.h"

#include <QPainter>
#include <QWidget>

namespace {

constexpr int Margin = 24;
const QColor Desktop(58, 64, 72);

// The program's default fonts for the time texts and for cassette and card titles.
QFont DefaultFont(bool emphasised) {
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(12);
    font.setBold(emphasised);
    font.setItalic(emphasised);
    return font;
}

// What the controller would show for a song that plays, with a cassette docked that has not
// been stretched yet, or with a memory card docked whose section plays at 75 %, three
// semitones and 20 cents higher (where a cassette stretched to 10000 / 75 % would stand).
void FillSampleState(SkinTarget& target, TScreenshotScene scene) {
    target.Groups[TSkinFunction::RestoreSpeedChange].SetVisibleAll(false);
    TSkinBackground* face = target.Background();
    face->SetTimeFont(DefaultFont(true));
    face->SetText(TTimeText::CurrentTime, QStringLiteral("01:23:45"));
    face->SetText(TTimeText::RepeatStart, QStringLiteral("01:12:30"));
    face->SetText(TTimeText::RepeatStop, QStringLiteral("01:31:05"));
    const std::pair<TSkinFunction, int> positions[] = {
        {TSkinFunction::PlayingPosition, 420},
        {TSkinFunction::RepeatStart, 360},
        {TSkinFunction::RepeatEnd, 610},
    };
    for (const auto& [function, position] : positions) {
        target.Groups[function].SetMaxAll(1000);
        target.Groups[function].SetPositionAll(position);
    }
    const bool practice = scene == TScreenshotScene::Practice;
    const int ratio = practice ? 10000 / 75 : 150;
    target.Groups[TSkinFunction::Ratio].SetPositionAll(ratio);
    target.Groups[TSkinFunction::SpeedMeter].SetPositionAll(ratio);
    target.Groups[TSkinFunction::SpeedMeterLabel].SetTextAll(practice ? QStringLiteral("Speed 75%")
                                                                      : QStringLiteral("150%"));
    target.Groups[TSkinFunction::TransposeLabel].SetTextAll(
        practice ? QStringLiteral("+3 st +20 ct") : QString());
    // Only a cassette's own copy is stretched by a command.
    target.Groups[TSkinFunction::ExecSpeedChange].SetVisibleAll(!practice);
}

// A cassette or card window: its colour, its picture in its shape, and its title.
void DrawFloatingWindow(QPainter& painter, const TSkinWindowLook& look, QPoint at,
                        const QString& title, const QFont& font) {
    if (look.Width <= 0 || look.Height <= 0) {
        return;
    }
    QImage window(look.Width, look.Height, QImage::Format_RGB32);
    window.fill(ColorOfColorRef(look.BackgroundColor));
    QPainter windowPainter(&window);
    windowPainter.drawImage(0, 0, look.Background);
    DrawTextItem(windowPainter, font, look.Title, title);
    windowPainter.end();
    painter.save();
    if (!look.Background.isNull()) {
        painter.setClipRegion(
            BitmapToRegion(look.Background, look.Background.pixel(0, 0)).translated(at));
    }
    painter.drawImage(at, window);
    painter.restore();
}

} // namespace

QImage SkinScreenshot(SkinTarget& target, TScreenshotScene scene) {
    QWidget* window = target.MainWindow();
    FillSampleState(target, scene);
    // Buttons take their shapes when they first paint: the first rendering gives every control
    // its shape, the second shows the window as the screen does.
    window->grab();
    const QImage face = window->grab().toImage();
    const TSkinWindowLook& cassette = target.Parameters.Cassette;
    const TSkinWindowLook& card = target.Parameters.Card;
    const bool cardDocked = scene == TScreenshotScene::Practice;
    const TSkinWindowLook& docked = cardDocked ? card : cassette;
    const TSkinWindowLook& beside = cardDocked ? cassette : card;

    const QPoint mainAt(Margin, Margin);
    const QPoint dockedAt = mainAt + docked.DockingPoint;
    QRect used =
        QRect(mainAt, window->size()) | QRect(dockedAt, QSize(docked.Width, docked.Height));
    const QPoint besideAt(used.right() + 1 + Margin, used.top());
    used |= QRect(besideAt, QSize(beside.Width, beside.Height));
    const QPoint cassetteAt = cardDocked ? besideAt : dockedAt;
    const QPoint cardAt = cardDocked ? dockedAt : besideAt;

    QImage shot(used.right() + 1 + Margin, used.bottom() + 1 + Margin, QImage::Format_RGB32);
    shot.fill(Desktop);
    QPainter painter(&shot);
    painter.save();
    if (!window->mask().isEmpty()) {
        painter.setClipRegion(window->mask().translated(mainAt));
    }
    painter.drawImage(mainAt, face);
    painter.restore();
    DrawFloatingWindow(painter, cassette, cassetteAt, FormatMessage(SSelectFrmCassette, {1}),
                       DefaultFont(false));
    DrawFloatingWindow(painter, card, cardAt, FormatMessage(SSelectFrmRepeat, {1}),
                       DefaultFont(true));
    painter.end();
    return shot;
}
