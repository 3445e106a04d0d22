#include "custom_bitmap_control.h"

TCustomBitmapControl::TCustomBitmapControl(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
}

void TCustomBitmapControl::SetBounds(const QRect& bounds) {
    setGeometry(bounds);
    FollowSize();
}

void TCustomBitmapControl::SetSize(QSize size) {
    resize(size);
    FollowSize();
}

void TCustomBitmapControl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FollowSize();
}

void TCustomBitmapControl::FollowSize() {
    if (size() != followedSize) {
        followedSize = size();
        Resized();
    }
}
