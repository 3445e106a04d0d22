#include "bitmap_scroll_bar.h"

#include "platform/window_shape.h"
#include "thumb_window.h"

#include <QMouseEvent>
#include <QPainter>

TCustomBitmapScrollBar::TCustomBitmapScrollBar(QWidget* parent)
    : TCustomBitmapControl(parent), thumb(new TThumbWindow(this)) {
    startPos.OnChange = [this] { PointChanged(); };
    endPos.OnChange = [this] { PointChanged(); };
    DrawDefaultThumb();
    SetSize({250, 100});
}

TCustomBitmapScrollBar::~TCustomBitmapScrollBar() {
    if (thumb) {
        thumb->hide();
        delete thumb.data();
    }
}

ScrollTrack TCustomBitmapScrollBar::Track() const {
    return {startPos.Point(), endPos.Point(), kind, min, max};
}

void TCustomBitmapScrollBar::SetMin(int value) {
    min = value;
    if (max < value) {
        max = value;
    }
    MoveThumb();
}

void TCustomBitmapScrollBar::SetMax(int value) {
    max = value;
    if (min > value) {
        min = value;
    }
    MoveThumb();
}

void TCustomBitmapScrollBar::SetPosition(int value) {
    StorePosition(std::clamp(value, min, max));
    MoveThumb();
}

void TCustomBitmapScrollBar::StorePosition(int value) {
    position = value;
    if (OnChange) {
        OnChange(this);
    }
}

void TCustomBitmapScrollBar::SetKind(TScrollBarKind value) {
    kind = value;
    DecideStartEndPos();
    MoveThumb();
}

void TCustomBitmapScrollBar::SetScrollStartPos(QPoint value) {
    startPos.SetX(value.x());
    startPos.SetY(value.y());
}

void TCustomBitmapScrollBar::SetScrollEndPos(QPoint value) {
    endPos.SetX(value.x());
    endPos.SetY(value.y());
}

void TCustomBitmapScrollBar::SetBmpThumb(const QImage& bitmap) {
    thumbPicture.Assign(bitmap);
    if (!drawingDefaults) {
        autoCreateBitmap = false;
        if (thumbPicture.Empty()) {
            DrawDefaultThumb();
            return;
        }
    }
    ThumbChanged();
}

void TCustomBitmapScrollBar::SetBmpGuide(const QImage& bitmap) {
    guidePicture.Assign(bitmap);
    if (!drawingDefaults) {
        autoCreateBitmap = false;
        if (guidePicture.Empty()) {
            DrawDefaultGuide();
        }
        DecideStartEndPos();
    }
    GuideChanged();
}

void TCustomBitmapScrollBar::SetDefaultGuideWidth(int value) {
    defaultGuideWidth = value;
    if (autoCreateBitmap) {
        DrawDefaultThumb();
        DrawDefaultGuide();
    }
}

void TCustomBitmapScrollBar::SetAutoCreateBitmap(bool value) {
    autoCreateBitmap = value;
    if (value) {
        DrawDefaultThumb();
        DrawDefaultGuide();
    }
}

void TCustomBitmapScrollBar::SetAutoDecideStartEndPos(bool value) {
    autoDecideStartEndPos = value;
    DecideStartEndPos();
}

void TCustomBitmapScrollBar::SetAutoSize(bool value) {
    autoSize = value;
    if (value && !guidePicture.Empty()) {
        SetSize(guidePicture.Size());
    }
}

void TCustomBitmapScrollBar::Resized() {
    if (autoDecideStartEndPos) {
        DecideStartEndPos();
    } else if (autoCreateBitmap) {
        // The drawn guide always spans the whole bar.
        DrawDefaultGuide();
    }
    MoveThumb();
}

QSize TCustomBitmapScrollBar::ThumbSize() const {
    return autoCreateBitmap ? QSize(defaultGuideWidth, defaultGuideWidth) : thumbPicture.Size();
}

void TCustomBitmapScrollBar::DecideStartEndPos() {
    if (!autoDecideStartEndPos) {
        return;
    }
    // C++ division truncates towards zero, as the thumb's half sizes must.
    const QSize size = ThumbSize();
    const int halfW = size.width() / 2;
    const int halfH = size.height() / 2;
    decidingPoints = true;
    if (kind == sbHorizontal) {
        SetScrollStartPos({-halfW, height() / 2 - halfH});
        SetScrollEndPos({width() - halfW, startPos.Y()});
    } else {
        SetScrollStartPos({width() / 2 - halfW, -halfH});
        SetScrollEndPos({startPos.X(), height() - halfH});
    }
    decidingPoints = false;
    if (autoCreateBitmap) {
        DrawDefaultGuide();
    }
    MoveThumb();
}

void TCustomBitmapScrollBar::PointChanged() {
    if (decidingPoints) {
        return;
    }
    autoDecideStartEndPos = false;
    if (autoCreateBitmap) {
        DrawDefaultGuide();
    }
    MoveThumb();
}

QPoint TCustomBitmapScrollBar::ThumbPointInBar() const {
    return mapFromGlobal(thumb->parentWidget()->mapToGlobal(thumb->pos()));
}

void TCustomBitmapScrollBar::PlaceThumb(QPoint pointInBar) {
    if (!thumb->parentWidget()) {
        return;
    }
    thumb->move(thumb->parentWidget()->mapFromGlobal(mapToGlobal(pointInBar)));
}

void TCustomBitmapScrollBar::MoveThumb() {
    if (thumb && !thumb->Dragging()) {
        PlaceThumb(Track().PositionToPoint(position));
    }
}

QPoint TCustomBitmapScrollBar::ConstrainThumb(QPoint proposedInParent) const {
    QWidget* parent = thumb->parentWidget();
    const QPoint projected = Track().Project(mapFromGlobal(parent->mapToGlobal(proposedInParent)));
    return parent->mapFromGlobal(mapToGlobal(projected));
}

void TCustomBitmapScrollBar::Scroll(TScrollCode code) {
    if (OnScroll) {
        int reported = position;
        OnScroll(this, code, reported);
    }
}

void TCustomBitmapScrollBar::ThumbPressed() {
    Scroll(scTrack);
}

void TCustomBitmapScrollBar::ThumbMoved() {
    StorePosition(Track().PointToPosition(ThumbPointInBar()));
    Scroll(scTrack);
}

void TCustomBitmapScrollBar::ThumbReleased() {
    Scroll(scPosition);
    Scroll(scEndScroll);
}

void TCustomBitmapScrollBar::ThumbDoubleClicked() {
    if (OnThumbDblClicked) {
        OnThumbDblClicked(this);
    }
}

void TCustomBitmapScrollBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !thumb->parentWidget()) {
        TCustomBitmapControl::mousePressEvent(event);
        return;
    }
    const QSize size = thumb->size();
    const QPoint centred =
        event->position().toPoint() - QPoint(size.width() / 2, size.height() / 2);
    const QPoint projected = Track().Project(centred);
    PlaceThumb(projected);
    StorePosition(Track().PointToPosition(projected));
    ThumbReleased();
}

bool TCustomBitmapScrollBar::event(QEvent* event) {
    if (event->type() == QEvent::ParentChange && thumb) {
        thumb->setParent(parentWidget());
        if (parentWidget()) {
            thumb->setVisible(!isHidden());
        }
        MoveThumb();
    }
    return TCustomBitmapControl::event(event);
}

void TCustomBitmapScrollBar::setVisible(bool visible) {
    TCustomBitmapControl::setVisible(visible);
    // The thumb, a window of the bar's parent, is shown or hidden with the bar, also before the
    // parent is first shown: it shows with the parent just when the bar does.
    if (thumb && thumb->parentWidget()) {
        thumb->setVisible(visible);
    }
}

void TCustomBitmapScrollBar::showEvent(QShowEvent* event) {
    TCustomBitmapControl::showEvent(event);
    GuideChanged();
    if (thumb->parentWidget()) {
        MoveThumb();
        thumb->show();
        thumb->raise();
    }
}

void TCustomBitmapScrollBar::hideEvent(QHideEvent* event) {
    TCustomBitmapControl::hideEvent(event);
    thumb->hide();
}

void TCustomBitmapScrollBar::moveEvent(QMoveEvent* event) {
    TCustomBitmapControl::moveEvent(event);
    MoveThumb();
}

void TCustomBitmapScrollBar::GuideChanged() {
    if (guidePicture.Empty()) {
        return;
    }
    if (!autoCreateBitmap) {
        SetSize(guidePicture.Size());
    }
    SetWindowShape(this, guidePicture.Region());
    update();
    thumb->update();
}

void TCustomBitmapScrollBar::ThumbChanged() {
    thumb->ApplyPicture();
    DecideStartEndPos();
}

void TCustomBitmapScrollBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    guidePicture.Draw(painter, {0, 0});
}

void TCustomBitmapScrollBar::DrawDefaultThumb() {
    const int d = defaultGuideWidth;
    QImage picture(d, d, QImage::Format_RGB32);
    picture.fill(Qt::black);
    QPainter painter(&picture);
    painter.setPen(QPen(palette().color(QPalette::Dark), 1));
    painter.setBrush(palette().brush(QPalette::Button));
    // The ellipse of the box (0, 0)-(d - 2, d - 2) without its right and bottom edges, pixels
    // 0 to d - 3; Qt's outline of a w-wide rectangle covers w + 1 pixels.
    painter.drawEllipse(QRect(0, 0, d - 3, d - 3));
    painter.end();
    drawingDefaults = true;
    SetBmpThumb(picture);
    drawingDefaults = false;
}

void TCustomBitmapScrollBar::DrawDefaultGuide() {
    const int d = defaultGuideWidth;
    const int k = d / 2 - 1;
    QImage picture(size(), QImage::Format_RGB32);
    picture.fill(Qt::black);
    QPainter painter(&picture);
    painter.setPen(QPen(palette().color(QPalette::Dark), d / 5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(startPos.Point() + QPoint(k, k), endPos.Point() + QPoint(k, k));
    painter.end();
    drawingDefaults = true;
    SetBmpGuide(picture);
    drawingDefaults = false;
}
