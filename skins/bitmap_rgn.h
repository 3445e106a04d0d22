#pragma once

#include <QImage>
#include <QRegion>
#include <optional>

class QPainter;

// A picture that keeps its own shape: the pixels that differ from its bottom-left colour. The
// shape is rebuilt whenever the content changes, so windows can take it at any moment.
class TBitmapRgn {
public:
    bool Empty() const { return image.isNull(); }
    const QImage& Image() const { return image; }
    QSize Size() const { return image.size(); }
    // The colour left out of the shape and of drawing; meaningless while empty.
    QRgb TransparentColor() const;

    // Copies source (opaque 24-bit colour, alpha dropped); a null image empties the picture.
    void Assign(const QImage& source);
    void Clear() { Assign(QImage()); }

    // A copy of the shape, none while the picture is empty; windows keep what they are given.
    std::optional<QRegion> Region() const { return region; }

    // Draws the picture with its top-left corner at `at`, its transparent pixels left out.
    void Draw(QPainter& painter, QPoint at) const;

private:
    QImage image;
    std::optional<QRegion> region;
};
