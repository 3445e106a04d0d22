#pragma once

#include <QByteArray>
#include <QString>

// UTF-8 (with or without a byte-order mark); bytes that are not valid UTF-8 are taken as
// Shift-JIS, the encoding of Japanese files written on Windows.
QString DecodeLanguageText(const QByteArray& bytes);
