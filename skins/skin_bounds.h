#pragma once

#include <QSize>
#include <QString>
#include <QtGlobal>

// The limits every number of a skin keeps, so that a damaged or hostile description can
// neither exhaust memory nor time nor overflow the arithmetic done with its values. A skin is
// drawn on one screen: places and sizes stay within a few times the largest screens, and
// anything drawn as a picture (a picture file, a window or a control that paints a picture of
// its own size) holds at most as many pixels as a 4096 by 4096 square, 64 MB at 32 bits a
// pixel; a whole skin four times that. Sums of two values within these limits stay far inside 32
// bits.

struct TSkinRange {
    int Min;
    int Max;
};

// Places of controls, texts, scroll-bar travel points and docking points, in pixels.
inline constexpr TSkinRange SkinPositionRange{-32767, 32767};
// Widths and heights of windows, controls and pictures, in pixels.
inline constexpr TSkinRange SkinSizeRange{0, 16384};
// The pixels of one window, control or picture, and of all the pictures of one skin together
// with four pictures of the size of each of its controls (TSkinFolder).
inline constexpr qint64 MaxSkinPixels = qint64{4096} * 4096;
inline constexpr qint64 MaxSkinPixelsInAll = 4 * MaxSkinPixels;
// Text angles in tenths of a degree: one turn either way.
inline constexpr TSkinRange SkinAngleRange{-3600, 3600};
// The dots a speed meter paints, and the width of its lines in pixels.
inline constexpr TSkinRange SkinTickCountRange{0, 1000};
inline constexpr TSkinRange SkinLineWidthRange{0, 100};
// Label font sizes in points.
inline constexpr TSkinRange SkinFontSizeRange{1, 1000};
// The controls one description may create.
inline constexpr int MaxSkinControls = 1000;

inline bool IsInSkinRange(int value, TSkinRange range) {
    return value >= range.Min && value <= range.Max;
}

// Whether a window, control or picture of this size keeps the limits: each side within
// SkinSizeRange and at most MaxSkinPixels in all.
bool FitsSkinPixels(QSize size);

// The reason given for a size that does not fit.
QString TooManyPixelsText(QSize size);
