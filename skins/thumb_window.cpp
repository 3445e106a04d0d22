#include "thumb_window.h"

#include "bitmap_scroll_bar.h"
#include "platform/window_drag.h"
#include "platform/window_shape.h"

#include <QMouseEvent>
#include <QPainter>

TThumbWindow::TThumbWindow(TCustomBitmapScrollBar* bar)
    : QWidget(bar->parentWidget()), bar(bar),
      drag(new WindowDrag(this, [bar](QPoint proposed) { return bar->ConstrainThumb(proposed); })) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    resize(25, 25);
    drag->OnMoved = [bar] { bar->ThumbMoved(); };
    drag->OnFinished = [bar] { bar->ThumbReleased(); };
}

bool TThumbWindow::Dragging() const {
    return drag->Active();
}

void TThumbWindow::ApplyPicture() {
    const TBitmapRgn& picture = bar->BmpThumb();
    if (picture.Empty()) {
        return;
    }
    resize(picture.Size());
    SetWindowShape(this, picture.Region());
    update();
}

void TThumbWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    ApplyPicture();
}

void TThumbWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    // The move counts from the press, so that a modal window opened by the bar's handler of
    // the press ends it.
    drag->Start(event->globalPosition().toPoint());
    bar->ThumbPressed();
}

void TThumbWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        bar->ThumbDoubleClicked();
    }
}

void TThumbWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    bar->BmpThumb().Draw(painter, {0, 0});
}
