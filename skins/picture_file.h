#pragma once

#include "platform/exception.h"

#include <QImage>
#include <QString>

// A picture file that is damaged, or of a kind the picture loader does not read.
class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};

// Every picture keeps the size limits of skins (skin_bounds.h), checked against the size its
// header declares before it is decoded: a larger one raises EInvalidGraphic "Too large : ...".

// A Windows bitmap file, whatever its name says. Raises EInvalidGraphic "Bitmap image is not
// valid" when it is damaged or not a bitmap, and the file layer's error when it cannot be read.
QImage LoadBitmapFile(const QString& path);

// A picture of the kind its extension names (bmp, ico, jpg or jpeg; without regard to case).
// Bitmaps come with their bottom-left colour made transparent, since every picture control
// of a skin leaves that colour out; icons keep their own transparency; JPEG pictures are
// opaque. Raises EInvalidGraphic for a damaged file and "Unknown picture file extension (.%s)"
// for any other extension.
QImage LoadPictureFile(const QString& path);

// The file's bytes; raises the file layer's error.
QByteArray ReadSkinFile(const QString& path);
