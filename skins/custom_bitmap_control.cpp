#include "custom_bitmap_control.h"

TCustomBitmapControl::TCustomBitmapControl(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
}

void TCustomBitmapControl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Resized();
}
