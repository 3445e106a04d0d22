#pragma once

#include "text_item.h"

#include <QImage>
#include <QPoint>

// What a skin gives one kind of floating window (the cassettes, or the memory cards): its
// picture, whose top-left colour is left out of the window's shape, the colour behind it, its
// size, where it docks and where its title goes.
struct TWindowSkin {
    QImage Background;
    // A Windows colour reference.
    int BackgroundColor = 0;
    int Width = 0;
    int Height = 0;
    // The window's top-left corner when docked, relative to the main window's top-left corner.
    QPoint DockingPoint;
    TTextItem Title;
};
