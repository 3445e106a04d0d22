#pragma once

#include "platform/exception.h"

#include <QImage>
#include <QRegion>

// The platform could not build or combine a region.
class EOutOfResources : public Exception {
public:
    using Exception::Exception;
};

// The window shape of a picture: every pixel whose colour (red, green and blue, alpha ignored)
// differs from transparentColor. A picture of one colour gives an empty region.
QRegion BitmapToRegion(const QImage& bitmap, QRgb transparentColor);
