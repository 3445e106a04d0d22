#pragma once

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <functional>

class QPainter;

// The colour every picture leaves out of its window's shape. Skins read it from a corner
// pixel, so the painter writes it there and nowhere inside a shape.
inline const QColor KeyColor(255, 0, 255);

// Pictures with clean edges under colour-key transparency: a shape is drawn with smooth edges
// over `base` (what lies beneath it on the window, or the shape's own edge colour for a part
// that moves), then every pixel the shape does not touch becomes the key colour. Edge pixels
// therefore blend into what they will be seen against instead of into the key colour.
QImage Keyed(const QImage& base, const std::function<void(QPainter&)>& drawShape);
// A picture that keeps every pixel but the one corner pixel the skin reads its key from.
QImage WithKeyCorner(QImage picture, Qt::Corner corner);

// A top-to-bottom gradient filling rect.
QBrush VerticalGradient(const QRectF& rect, const QColor& top, const QColor& bottom);

// A rounded rectangle whose corners are `radius` but no more than half its smaller side.
QPainterPath RoundedRect(const QRectF& rect, double radius);

// A recessed well: a dark rim above, a light one below, and the fill.
void DrawWell(QPainter& painter, const QRectF& rect, double radius, const QColor& top,
              const QColor& bottom, const QColor& edge);

// A colour between a and b (t = 0 gives a).
QColor Mix(const QColor& a, const QColor& b, double t);

// The pictures are saved as 24-bit Windows bitmaps.
void SaveBitmap(const QImage& picture, const QString& path);
