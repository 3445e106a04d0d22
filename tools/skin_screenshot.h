#pragma once

#include <QImage>

class SkinTarget;

// What the pictured main window is doing.
enum class TScreenshotScene {
    // A cassette docked, not stretched yet; a memory card beside it.
    Cassette,
    // A memory card docked, its section playing slowed down and transposed; a cassette beside.
    Practice,
};

// A picture of a loaded skin as a user sees it on the desktop: the main window in its shape,
// with sample times and bars, a cassette or a memory card docked at its docking point and the
// other window beside them, on a plain desktop colour.
QImage SkinScreenshot(SkinTarget& target, TScreenshotScene scene);
