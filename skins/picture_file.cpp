#include "picture_file.h"

#include "actions/message_format.h"
#include "actions/messages.h"
#include "jpeg_decoder.h"
#include "platform/file_stream.h"
#include "skin_bounds.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>

namespace {

// Raises EInvalidGraphic for a picture too large to hold.
void CheckPictureSize(QSize size) {
    if (size.isValid() && !FitsSkinPixels(size)) {
        throw EInvalidGraphic(TooManyPixelsText(size).toStdString());
    }
}

// Reads data as the one format named, never guessing another from the content. The size its
// header declares, where the format tells it, is checked before any pixel is decoded.
QImage DecodeAs(const QByteArray& data, const char* format) {
    QBuffer buffer;
    buffer.setData(data);
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(false);
    CheckPictureSize(reader.size());
    QImage picture = reader.read();
    CheckPictureSize(picture.size());
    return picture;
}

QImage DecodeBitmap(const QByteArray& data) {
    QImage picture = data.startsWith("BM") ? DecodeAs(data, "bmp") : QImage();
    if (picture.isNull()) {
        throw EInvalidGraphic(SInvalidBitmap.toStdString());
    }
    return picture;
}

// The picture with every pixel of its bottom-left colour see-through.
QImage WithBottomLeftTransparent(const QImage& picture) {
    QImage keyed = picture.convertToFormat(QImage::Format_ARGB32);
    const QRgb transparent = keyed.pixel(0, keyed.height() - 1) & RGB_MASK;
    for (int y = 0; y < keyed.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(keyed.scanLine(y));
        for (int x = 0; x < keyed.width(); ++x) {
            if ((row[x] & RGB_MASK) == transparent) {
                row[x] = 0;
            }
        }
    }
    return keyed;
}

} // namespace

QByteArray ReadSkinFile(const QString& path) {
    FileStream file(path.toStdString(), FileStream::Mode::ReadShared);
    QByteArray bytes(static_cast<qsizetype>(file.Size()), '\0');
    bytes.resize(static_cast<qsizetype>(file.Read(bytes.data(), bytes.size())));
    return bytes;
}

QImage LoadBitmapFile(const QString& path) {
    return DecodeBitmap(ReadSkinFile(path));
}

QImage LoadPictureFile(const QString& path) {
    const QString extension = QFileInfo(path).suffix();
    const QString kind = extension.toLower();
    if (kind == u"bmp") {
        return WithBottomLeftTransparent(LoadBitmapFile(path));
    }
    if (kind == u"ico") {
        const QImage icon = DecodeAs(ReadSkinFile(path), "ico");
        if (icon.isNull()) {
            throw EInvalidGraphic(SInvalidIcon.toStdString());
        }
        return icon;
    }
    if (kind == u"jpg" || kind == u"jpeg") {
        return DecodeJpeg(ReadSkinFile(path));
    }
    throw EInvalidGraphic(FormatMessage(SUnknownPictureExtension, {extension}).toStdString());
}
