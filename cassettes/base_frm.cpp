#include "cassettes/base_frm.h"

#include "platform/tool_window.h"
#include "platform/window_shape.h"
#include "skins/bitmap_region.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

TBaseFrm::TBaseFrm(QWidget* owner, WindowDrag::Constrain constrain)
    : drag(new WindowDrag(this, std::move(constrain))) {
    MakeOwnedToolWindow(this, owner, Qt::FramelessWindowHint);
    setAcceptDrops(true);
}

void TBaseFrm::SetPicture(const QImage& value) {
    picture = value;
    RebuildShape();
    update();
}

void TBaseFrm::SetColor(const QColor& value) {
    color = value;
    update();
}

void TBaseFrm::RebuildShape() {
    if (picture.isNull()) {
        SetWindowShape(this, std::nullopt);
    } else {
        SetWindowShape(this, BitmapToRegion(picture, picture.pixel(0, 0)));
    }
}

void TBaseFrm::FilesDropped(const QStringList&) {}

void TBaseFrm::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        drag->Start(event->globalPosition().toPoint());
    }
}

void TBaseFrm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    RebuildShape();
}

void TBaseFrm::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), color);
    if (!picture.isNull()) {
        painter.drawImage(0, 0, picture);
    }
}

void TBaseFrm::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void TBaseFrm::dropEvent(QDropEvent* event) {
    QStringList files;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            files.append(url.toLocalFile());
        }
    }
    event->acceptProposedAction();
    FilesDropped(files);
}
