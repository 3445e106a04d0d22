#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <functional>
#include <vector>

// Where an ejected window goes: a place on the screen, on a grid of 5-pixel cells, where it
// covers neither the main window nor any other window.
struct TFreeSpotQuery {
    // The part of the screen that windows may take (without panels), in screen coordinates.
    QRect Screen;
    QRect Main;
    // What the window must keep off besides the main window: the other windows, each at its
    // glide target when it is gliding, and the places where windows dock.
    std::vector<QRect> Windows;
    // The size of the window looking for a place.
    QSize Wanted;
};

// A number in 0 .. bound - 1 (bound > 0).
using TRandomBelow = std::function<int(int bound)>;
int RandomBelow(int bound);

// The first free place, row by row, for the whole window within the screen: first within the
// area around the main window (one main window's size on every side), then anywhere on the
// screen. With no place free, a random one on the screen.
QPoint FindFreeSpot(const TFreeSpotQuery& query, const TRandomBelow& random = RandomBelow);
