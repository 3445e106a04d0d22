#include "cassettes/autorec_frm.h"

#include "actions/key_polling.h"
#include "actions/messages.h"
#include "cassettes/cassette_host.h"
#include "dialogs/dialog_support.h"
#include "dialogs/link_label.h"
#include "platform/key_state.h"
#include "platform/tool_window.h"
#include "platform/virtual_keys.h"
#include "skins/skin_parameters.h"
#include "skins/skin_values.h"

#include <QAction>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>

namespace {

// Left out of the window's shape: the corners around the rounded body.
const QColor Transparent(255, 0, 255);
constexpr int TimerMilliseconds = 1000;

// The window's picture in the colours of the skin's memory cards: a rounded body around a
// light label, as a card's, with a red light that says a recording runs.
QImage AutorecPicture(const QColor& body) {
    QImage picture(TAutorecFrm::ClientWidth, TAutorecFrm::ClientHeight, QImage::Format_RGB32);
    picture.fill(Transparent);
    QPainter painter(&picture);
    QPainterPath outline;
    outline.addRoundedRect(QRectF(picture.rect()), 14, 14);
    // Without smoothing: a blended edge pixel would show as a fringe of the transparent colour.
    painter.fillPath(outline, body);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const bool light = body.lightness() > 128;
    const QColor label = light ? body.darker(106) : QColor(245, 235, 220);
    painter.setPen(QPen(light ? body.darker(130) : body.lighter(160), 2));
    painter.setBrush(label);
    painter.drawRoundedRect(QRectF(12, 12, picture.width() - 24, picture.height() - 24), 8, 8);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(220, 30, 30));
    painter.drawEllipse(QPointF(34, 50), 7, 7);
    return picture;
}

// The card's title colour, made for its light label; black where the skin gives none.
QColor TextColor(int titleColor) {
    return titleColor >= 0 ? ColorOfColorRef(titleColor) : QColor(Qt::black);
}

} // namespace

TAutorecFrm::TAutorecFrm(TCassetteHost& host, std::function<void()> stop)
    : TBaseFrm(host.MainWindow()), lbMessage(new QLabel(QStringLiteral("Now Recording"), this)),
      llCancel(new TLinkLabel(this)), Timer1(new QTimer(this)), PopupMenu1(new QMenu(this)),
      miCancel(new QAction(QStringLiteral("&Cancel"), PopupMenu1)), host(host),
      stop(std::move(stop)) {
    setObjectName(QStringLiteral("AutorecFrm"));
    setFixedSize(ClientWidth, ClientHeight);
    lbMessage->setObjectName(QStringLiteral("lbMessage"));
    lbMessage->setAlignment(Qt::AlignCenter);
    lbMessage->setGeometry(48, 30, ClientWidth - 96, 40);
    QFont messageFont = lbMessage->font();
    messageFont.setBold(true);
    messageFont.setPointSize(12);
    lbMessage->setFont(messageFont);
    llCancel->setObjectName(QStringLiteral("llCancel"));
    llCancel->setText(QStringLiteral("CANCEL"));
    llCancel->SetNormalColor(Qt::blue);
    llCancel->SetRollOverColor(Qt::red);
    llCancel->SetUnderlined(true);
    llCancel->adjustSize();
    llCancel->move((ClientWidth - llCancel->width()) / 2, 106);
    connect(llCancel, &TLinkLabel::Clicked, this, [this] { llCancelClick(); });
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(TimerMilliseconds);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    miCancel->setObjectName(QStringLiteral("miCancel"));
    // Shown as the item's key only: Escape is looked at by the timer.
    miCancel->setShortcut(QKeySequence(Qt::Key_Escape));
    miCancel->setShortcutContext(Qt::WidgetShortcut);
    PopupMenu1->addAction(miCancel);
    setFocusPolicy(Qt::StrongFocus);
    hide();
}

void TAutorecFrm::ShowModal() {
    const TSkinWindowLook& card = host.WindowSkin(TQvrKind::Card);
    const QColor body = ColorOfColorRef(card.BackgroundColor);
    SetColor(body);
    SetPicture(AutorecPicture(body));
    QPalette colours = lbMessage->palette();
    colours.setColor(QPalette::WindowText, TextColor(card.Title.Color));
    lbMessage->setPalette(colours);
    SetStayOnTop(this, host.StayOnTop());
    setWindowModality(Qt::ApplicationModal);
    CentreOnScreen(this);
    show();
    raise();
    activateWindow();
}

void TAutorecFrm::Close() {
    hide();
}

void TAutorecFrm::showEvent(QShowEvent* event) {
    TBaseFrm::showEvent(event);
    messages = QStringList{SRecordMessage1, SRecordMessage2};
    messageIndex = 0;
    Timer1->start();
}

void TAutorecFrm::hideEvent(QHideEvent* event) {
    Timer1->stop();
    // Its menu goes with it: left open, it would keep the bound keys from the program.
    PopupMenu1->hide();
    // The Escape that stopped the recording, or any key held as the window goes, fires
    // nothing until let go.
    SwallowHeldKeys();
    TBaseFrm::hideEvent(event);
}

void TAutorecFrm::closeEvent(QCloseEvent* event) {
    // Stop hides the window; the window manager's close itself is refused.
    event->ignore();
    if (isVisible()) {
        llCancelClick();
    }
}

void TAutorecFrm::Timer1Timer() {
    if (!messages.isEmpty()) {
        lbMessage->setText(messages.at(messageIndex));
        messageIndex = (messageIndex + 1) % static_cast<int>(messages.size());
    }
    if (CurrentKeyState().IsDown(VkEscape) && stop) {
        stop();
    }
}

void TAutorecFrm::llCancelClick() {
    if (stop) {
        stop();
    }
}

void TAutorecFrm::contextMenuEvent(QContextMenuEvent* event) {
    PopupMenu1->popup(event->globalPos());
}
