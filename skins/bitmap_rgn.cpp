#include "bitmap_rgn.h"

#include "bitmap_region.h"

#include <QPainter>

QRgb TBitmapRgn::TransparentColor() const {
    return image.pixel(0, image.height() - 1);
}

void TBitmapRgn::Assign(const QImage& source) {
    image = source.isNull() || source.size().isEmpty()
                ? QImage()
                : source.convertToFormat(QImage::Format_RGB32);
    region.reset();
    if (!image.isNull()) {
        region = BitmapToRegion(image, TransparentColor());
    }
}

void TBitmapRgn::Draw(QPainter& painter, QPoint at) const {
    if (!region) {
        return;
    }
    painter.save();
    painter.setClipRegion(region->translated(at), Qt::IntersectClip);
    painter.drawImage(at, image);
    painter.restore();
}
