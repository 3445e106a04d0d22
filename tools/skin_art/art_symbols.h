#pragma once

#include "skins/skin_functions.h"

#include <QColor>
#include <QRectF>

class QPainter;

// How wide a function's symbol is for its height: most are square, a few are words or loops.
double SymbolAspect(TSkinFunction function);

// Draws the symbol of a command in ink within box: the transport symbols everyone knows, A and
// B for the repeat section's head and tail, sharp and flat for transposing, cent signs for the
// fine tuning, and plain drawings for the window commands. The record commands draw their dot
// in `record`.
void DrawSymbol(QPainter& painter, TSkinFunction function, const QRectF& box, const QColor& ink,
                const QColor& record);
