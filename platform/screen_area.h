#pragma once

#include <QPoint>
#include <QSize>

// Where a window of size goes whose top left corner was stored at topLeft (by an earlier run,
// maybe on screens now gone, or edited to anything): unchanged when the window lies within the
// screens' available area (the union of them all), otherwise moved the least way that puts it
// within one screen; a window larger than that screen shows its top left corner.
QPoint ClampToScreens(QPoint topLeft, QSize size);
