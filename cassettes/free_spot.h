#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <functional>
#include <vector>

// Where an ejected window goes: a place near the main window, on a grid of 5-pixel cells,
// that no other window covers.
struct TFreeSpotQuery {
    QSize Screen;
    QRect Main;
    // The other windows, each at its glide target when it is gliding.
    std::vector<QRect> Windows;
    // The size of the window looking for a place.
    QSize Wanted;
};

// A number in 0 .. bound - 1 (bound > 0).
using TRandomBelow = std::function<int(int bound)>;
int RandomBelow(int bound);

// The first free place, row by row, within the screen less a margin; the area around the main
// window (one main window's size on every side) is the only one open, less the main window
// and the cores of the other windows (70 % of their width, 50 % of their height from their
// top-left corner). With no place free, a random one in the same area.
QPoint FindFreeSpot(const TFreeSpotQuery& query, const TRandomBelow& random = RandomBelow);
