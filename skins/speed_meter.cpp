#include "speed_meter.h"

#include "round_half_even.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

TSpeedMeter::TSpeedMeter(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_NoSystemBackground);
}

void TSpeedMeter::SetMin(int value) {
    min = std::max(value, 0);
    if (max < min) {
        // No room above the largest value: the range closes there, where the hand rests at
        // the minimum.
        max = min == std::numeric_limits<int>::max() ? min : min + 1;
    }
    update();
}

void TSpeedMeter::SetMax(int value) {
    max = std::max(value, 1);
    if (max < min) {
        min = max - 1;
    }
    update();
}

void TSpeedMeter::SetPosition(int value) {
    position = std::clamp(value, min, max);
    update();
}

void TSpeedMeter::SetHandSizeByPercent(int value) {
    handSizeByPercent = std::clamp(value, 0, 100);
    update();
}

void TSpeedMeter::SetTickCount(int value) {
    tickCount = std::max(value, 0);
    update();
}

void TSpeedMeter::SetTickWidth(int value) {
    tickWidth = std::max(value, 0);
    update();
}

void TSpeedMeter::SetHandColor(QColor value) {
    handColor = value;
    update();
}

QPoint TSpeedMeter::Centre() const {
    return {width() / 2, height() - 1};
}

int TSpeedMeter::Radius() const {
    return static_cast<int>(
        RoundedQuotient(WideInt(handSizeByPercent) * std::min(width(), height()), 100));
}

QPoint TSpeedMeter::Tip(double f) const {
    const double angle = f * 2 * std::numbers::pi / 3 + std::numbers::pi / 6;
    const QPoint c = Centre();
    const int r = Radius();
    return {RoundHalfEven(c.x() + r * std::cos(angle)), RoundHalfEven(c.y() - r * std::sin(angle))};
}

QPoint TSpeedMeter::HandTip() const {
    // With Min equal to Max there is no sweep to place the hand on; it rests at the minimum.
    return Tip(max == min ? 0.0 : double(position - min) / (double(max) - min));
}

void TSpeedMeter::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QPen(handColor, tickWidth, Qt::SolidLine, Qt::RoundCap));
    const QPoint handTip = HandTip();
    const bool thin = tickWidth <= 1;
    if (thin) {
        // A thin line leaves out its last pixel, so the hand stops short of its tip.
        painter.setClipRegion(QRegion(rect()).subtracted(QRegion(QRect(handTip, QSize(1, 1)))));
    }
    painter.drawLine(Centre(), handTip);
    painter.setClipping(false);
    for (int i = 0; i < tickCount; ++i) {
        const QPoint tip = Tip(double(i) / tickCount);
        if (thin) {
            painter.drawPoint(tip);
        } else {
            painter.drawLine(tip, tip + QPoint(1, 1));
        }
    }
}
