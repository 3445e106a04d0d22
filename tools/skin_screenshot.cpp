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
// been stretched yet.
void FillSampleState(SkinTarget& target) {
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
    target.Groups[TSkinFunction::Ratio].SetPositionAll(150);
    target.Groups[TSkinFunction::SpeedMeter].SetPositionAll(150);
    target.Groups[TSkinFunction::SpeedMeterLabel].SetTextAll(QStringLiteral("150%"));
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

QImage SkinScreenshot(SkinTarget& target) {
    QWidget* window = target.MainWindow();
    FillSampleState(target);
    // Buttons take their shapes when they first paint: the first rendering gives every control
    // its shape, the second shows the window as the screen does.
    window->grab();
    const QImage face = window->grab().toImage();
    const TSkinWindowLook& cassette = target.Parameters.Cassette;
    const TSkinWindowLook& card = target.Parameters.Card;

    const QPoint mainAt(Margin, Margin);
    const QPoint cassetteAt = mainAt + cassette.DockingPoint;
    QRect used =
        QRect(mainAt, window->size()) | QRect(cassetteAt, QSize(cassette.Width, cassette.Height));
    const QPoint cardAt(used.right() + 1 + Margin, used.top());
    used |= QRect(cardAt, QSize(card.Width, card.Height));

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
