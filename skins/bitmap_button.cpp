#include "bitmap_button.h"

#include <QMouseEvent>
#include <QPainter>
#include <qdrawutil.h>

namespace {

// A plain button face: pure blue margin (the transparent colour, as it is the bottom-left
// pixel), the face colour inside a 2-pixel inset, framed raised or sunken.
QImage DefaultPicture(QSize size, const QPalette& palette, QPalette::ColorRole face, bool sunken) {
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    QPainter painter(&picture);
    const QRect inner = picture.rect().adjusted(2, 2, -2, -2);
    if (inner.isValid()) {
        const QBrush fill = palette.brush(face);
        qDrawWinButton(&painter, inner, palette, sunken, &fill);
    }
    return picture;
}

} // namespace

TCustomBitmapButton::TCustomBitmapButton(QWidget* parent) : TCustomBitmapControl(parent) {
    resize(50, 50);
    // The window's picture is painted beneath the button wherever its own picture leaves the
    // key colour out. A masked child widget would do the same, but the X server is then not
    // always told of what the parent repaints where the mask shrank or the widget was hidden.
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void TCustomBitmapButton::SetPicture(PictureIndex index, const QImage& bitmap) {
    pictures[index].Assign(bitmap);
    if (autoCreateBitmap && !drawingDefaults) {
        autoCreateBitmap = false;
        for (auto& picture : pictures) {
            if (&picture != &pictures[index]) {
                picture.Clear();
            }
        }
    }
    regionStale = true;
    if (!drawingDefaults) {
        Refresh();
    }
}

void TCustomBitmapButton::SetDowned(bool value) {
    if (downed == value) {
        return;
    }
    downed = value;
    if (toggleType) {
        toggled = value;
    }
    ApplyShape();
    repaint();
}

void TCustomBitmapButton::SetToggleType(bool value) {
    toggleType = value;
    update();
}

void TCustomBitmapButton::SetToggled(bool value) {
    downed = value;
    toggled = value;
    Refresh();
}

void TCustomBitmapButton::SetAutoCreateBitmap(bool value) {
    autoCreateBitmap = value;
    if (value) {
        DrawDefaultPictures();
        Refresh();
    }
}

// The button keeps its presses and releases: ignored ones would reach the window beneath,
// which starts a window move on a left press.
void TCustomBitmapButton::mousePressEvent(QMouseEvent* event) {
    // Outside its shape the press is the window's beneath, as everywhere off the button.
    if (shape && !shape->contains(event->position().toPoint())) {
        event->ignore();
        return;
    }
    event->accept();
    // A double click presses the button again but is no click of its own.
    clickPending = event->type() == QEvent::MouseButtonPress && event->button() == Qt::LeftButton;
    if (!toggleType) {
        downed = true;
    } else if (toggled) {
        // Released on the way up, so the button is seen pressed while the mouse is down.
        toggled = false;
    } else {
        toggled = true;
        downed = true;
    }
    Refresh();
}

void TCustomBitmapButton::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (clickPending && event->button() == Qt::LeftButton) {
        clickPending = false;
        if (rect().contains(event->position().toPoint()) && OnClick) {
            OnClick(this);
        }
    }
    if (!(toggleType && toggled)) {
        downed = false;
    }
    Refresh();
}

void TCustomBitmapButton::enterEvent(QEnterEvent* event) {
    TCustomBitmapControl::enterEvent(event);
    mouseInside = true;
    Refresh();
}

void TCustomBitmapButton::leaveEvent(QEvent* event) {
    TCustomBitmapControl::leaveEvent(event);
    mouseInside = false;
    Refresh();
}

void TCustomBitmapButton::showEvent(QShowEvent* event) {
    TCustomBitmapControl::showEvent(event);
    regionStale = true;
    ApplyShape();
}

void TCustomBitmapButton::changeEvent(QEvent* event) {
    TCustomBitmapControl::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        Refresh();
    }
}

void TCustomBitmapButton::Resized() {
    Refresh();
}

void TCustomBitmapButton::Refresh() {
    ApplyShape();
    update();
}

TBitmapRgn& TCustomBitmapButton::PictureToShow() {
    // The button's own state: while a window above it is disabled (during long work) it keeps
    // its normal look.
    if (testAttribute(Qt::WA_ForceDisabled)) {
        return pictures[Disabled];
    }
    if (downed) {
        return pictures[Downed];
    }
    return mouseInside ? pictures[Highlighted] : pictures[Normal];
}

void TCustomBitmapButton::ApplyShape() {
    if (autoCreateBitmap && size() != lastSize) {
        DrawDefaultPictures();
    }
    lastSize = size();
    TBitmapRgn& picture = PictureToShow();
    if (picture.Empty()) {
        DeriveMissingPictures();
        regionStale = true;
    }
    if (picture.Empty()) {
        shape.reset();
    } else if (regionStale || &picture != lastPicture) {
        shape = picture.Region();
    }
    regionStale = false;
    lastPicture = &picture;
}

void TCustomBitmapButton::paintEvent(QPaintEvent*) {
    ApplyShape();
    QPainter painter(this);
    lastPicture->Draw(painter, {0, 0});
}

void TCustomBitmapButton::DeriveMissingPictures() {
    TBitmapRgn& glyph = pictures[Normal];
    if (glyph.Empty()) {
        for (auto index : {Highlighted, Downed, Disabled}) {
            if (!pictures[index].Empty()) {
                glyph = pictures[index];
                break;
            }
        }
        if (glyph.Empty()) {
            autoCreateBitmap = true;
            DrawDefaultPictures();
            return;
        }
    }
    if (pictures[Downed].Empty()) {
        // The pressed look: the normal picture moved 1 right and 2 down.
        QImage pressed(glyph.Size() + QSize(1, 2), QImage::Format_RGB32);
        pressed.fill(glyph.TransparentColor());
        QPainter painter(&pressed);
        painter.drawImage(QPoint(1, 2), glyph.Image());
        painter.end();
        pictures[Downed].Assign(pressed);
    }
    for (auto index : {Highlighted, Disabled}) {
        if (pictures[index].Empty()) {
            pictures[index] = glyph;
        }
    }
}

void TCustomBitmapButton::DrawDefaultPictures() {
    drawingDefaults = true;
    const QPalette& colours = palette();
    SetPicture(Normal, DefaultPicture(size(), colours, QPalette::Button, false));
    SetPicture(Highlighted, DefaultPicture(size(), colours, QPalette::Button, false));
    SetPicture(Downed, DefaultPicture(size(), colours, QPalette::Button, true));
    SetPicture(Disabled, DefaultPicture(size(), colours, QPalette::Dark, false));
    drawingDefaults = false;
}
