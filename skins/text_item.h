#pragma once

#include <QColor>
#include <QPoint>

class QFont;
class QPainter;
class QString;

// A text a window paints itself (a title, a time): where, at which angle and in which three
// colours. Colours are Windows colour references (red in the lowest byte); -1 leaves that
// layer out.
struct TTextItem {
    QPoint Pos;
    // Tenths of a degree, counter-clockwise: 900 reads upwards.
    int Angle = 0;
    int Color = -1;
    int ColorLight = -1;
    int ColorShadow = -1;
};

QColor ColorFromReference(int colorReference);

// Paints text with its top-left corner at the item's position, turned by its angle about that
// point: the light layer one pixel up and left, the shadow layer one pixel down and right, then
// the text itself, each only when its colour is not -1.
void DrawTextItem(QPainter& painter, const QFont& font, const TTextItem& item, const QString& text);
