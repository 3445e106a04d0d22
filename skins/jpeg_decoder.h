#pragma once

#include <QByteArray>
#include <QImage>

// Decodes a JPEG picture (baseline or progressive, grey or colour) into 24-bit colour. Raises
// EInvalidGraphic with the decoder's own reason when the data is not a picture it can read,
// and "Too large : ..." before decoding when its declared size exceeds the skin limits.
QImage DecodeJpeg(const QByteArray& data);
