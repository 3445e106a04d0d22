#pragma once

#include "skin_parameters.h"

#include <QFont>
#include <QRegion>
#include <QString>

class QPainter;

// The font a text item is painted in, derived from a window's font as the Windows program
// derived it: the face "MS Sans Serif" stands for "Default", bold means weight 700 and
// anything else 400; size, slant, lines and pitch are the base font's.
QFont TextItemFont(const QFont& baseFont);

// Paints text with its top-left corner at the item's position, turned by its angle, with a
// transparent background: the light layer one pixel up and left, the shadow layer one pixel
// down and right, then the text in its colour; a colour of -1 leaves its layer out.
void DrawTextItem(QPainter& painter, const QFont& baseFont, const TTextItemLook& item,
                  const QString& text);

// The part of a window's picture (pictureSize) that the item's text can cover: the turned
// rectangle of the widest time text, "00:00:00:00", in the item's font.
QRegion TextUpdateArea(const QFont& baseFont, const TTextItemLook& item, QSize pictureSize);
