#include "art_kit.h"

#include <QLinearGradient>
#include <QPainter>
#include <algorithm>
#include <stdexcept>

QImage Keyed(const QImage& base, const std::function<void(QPainter&)>& drawShape) {
    QImage shape(base.size(), QImage::Format_ARGB32_Premultiplied);
    shape.fill(Qt::transparent);
    {
        QPainter painter(&shape);
        painter.setRenderHint(QPainter::Antialiasing);
        drawShape(painter);
    }
    QImage picture = base.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    {
        QPainter painter(&picture);
        painter.drawImage(0, 0, shape);
    }
    picture = picture.convertToFormat(QImage::Format_RGB32);
    const QRgb key = KeyColor.rgb();
    for (int y = 0; y < picture.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        const auto* coverage = reinterpret_cast<const QRgb*>(shape.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            if (qAlpha(coverage[x]) == 0) {
                row[x] = key;
            } else if ((row[x] | 0xFF000000) == key) {
                row[x] = qRgb(255, 1, 255);
            }
        }
    }
    return picture;
}

QImage WithKeyCorner(QImage picture, Qt::Corner corner) {
    picture = picture.convertToFormat(QImage::Format_RGB32);
    const int x =
        corner == Qt::TopLeftCorner || corner == Qt::BottomLeftCorner ? 0 : picture.width() - 1;
    const int y =
        corner == Qt::TopLeftCorner || corner == Qt::TopRightCorner ? 0 : picture.height() - 1;
    picture.setPixel(x, y, KeyColor.rgb());
    return picture;
}

QBrush VerticalGradient(const QRectF& rect, const QColor& top, const QColor& bottom) {
    QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    return gradient;
}

QPainterPath RoundedRect(const QRectF& rect, double radius) {
    const double r = std::min({radius, rect.width() / 2, rect.height() / 2});
    QPainterPath path;
    path.addRoundedRect(rect, r, r);
    return path;
}

void DrawWell(QPainter& painter, const QRectF& rect, double radius, const QColor& top,
              const QColor& bottom, const QColor& edge) {
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 110));
    painter.drawPath(RoundedRect(rect.translated(0, 1), radius));
    painter.setBrush(edge);
    painter.drawPath(RoundedRect(rect, radius));
    painter.setBrush(VerticalGradient(rect, top, bottom));
    painter.drawPath(RoundedRect(rect.adjusted(1, 1.5, -1, -1), radius - 1));
    painter.restore();
}

QColor Mix(const QColor& a, const QColor& b, double t) {
    return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * t),
                            static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * t),
                            static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * t),
                            static_cast<float>(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

void SaveBitmap(const QImage& picture, const QString& path) {
    if (!picture.convertToFormat(QImage::Format_RGB888).save(path, "BMP")) {
        throw std::runtime_error("cannot write " + path.toStdString());
    }
}
