#include "link_label.h"

#include <QMouseEvent>

TLinkLabel::TLinkLabel(QWidget* parent) : QLabel(parent) {
    setCursor(Qt::PointingHandCursor);
    ShowAs(normalColor, false);
}

void TLinkLabel::SetNormalColor(const QColor& color) {
    normalColor = color;
    if (!hovered) {
        ShowAs(normalColor, false);
    }
}

void TLinkLabel::SetRollOverColor(const QColor& color) {
    rollOverColor = color;
    if (hovered) {
        ShowAs(rollOverColor, true);
    }
}

void TLinkLabel::SetUnderlined(bool value) {
    underlined = value;
    ShowAs(hovered ? rollOverColor : normalColor, hovered);
}

void TLinkLabel::enterEvent(QEnterEvent* event) {
    hovered = true;
    ShowAs(rollOverColor, true);
    QLabel::enterEvent(event);
}

void TLinkLabel::leaveEvent(QEvent* event) {
    hovered = false;
    ShowAs(normalColor, false);
    QLabel::leaveEvent(event);
}

// Taken here, so that the window below does not treat it as its own click.
void TLinkLabel::mousePressEvent(QMouseEvent* event) {
    event->accept();
}

void TLinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit Clicked();
    }
}

void TLinkLabel::ShowAs(const QColor& color, bool hoveredLook) {
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, color);
    setPalette(colours);
    QFont face = font();
    face.setUnderline(hoveredLook || underlined);
    setFont(face);
}
