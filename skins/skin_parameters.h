#pragma once

#include <QImage>
#include <QPoint>

// One text a window paints itself: where its top-left corner stands, its angle in tenths of a
// degree counter-clockwise, and the colours of its three layers as Windows colour references
// (-1 leaves the layer out).
struct TTextItemLook {
    QPoint Pos;
    int Angle = 0;
    int Color = -1;
    int ColorLight = -1;
    int ColorShadow = -1;
};

// What a skin gives every cassette or every memory-card window.
struct TSkinWindowLook {
    QImage Background; // null: no picture
    int BackgroundColor = 0;
    int Width = 0;
    int Height = 0;
    // Where the window docks, from the main window's top-left corner.
    QPoint DockingPoint;
    TTextItemLook Title;
};

// Everything the current skin says that the windows read when they paint, dock and slide.
// Text positions and angles, and the main background colour, outlive a reset: the next skin
// may leave them as the last one set them.
struct SkinParameters {
    bool Active = false;
    int MainBackgroundColor = 0;
    TTextItemLook CurrentTime;
    TTextItemLook RepeatStart;
    TTextItemLook RepeatStop;
    TSkinWindowLook Cassette;
    TSkinWindowLook Card;
    // A dragged cassette or card nearer than this to its docking point snaps there.
    int DockSnapDistance = 15;
    // The steps in which a window slides to its docking point.
    int WindowSlideSteps = 8;
};
