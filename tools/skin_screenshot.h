#pragma once

#include <QImage>

class SkinTarget;

// A picture of a loaded skin as a user sees it on the desktop: the main window in its shape,
// with sample times and bars, a cassette docked at its docking point and a memory card beside
// them, on a plain desktop colour.
QImage SkinScreenshot(SkinTarget& target);
