#pragma once

#include <QPoint>

enum TScrollBarKind { sbHorizontal, sbVertical };

// The straight line from start to end on which a scroll bar's thumb (its top-left corner)
// slides; the value runs along x for a horizontal bar and along y for a vertical one, and the
// other coordinate follows the line, which may slant.
struct ScrollTrack {
    QPoint start;
    QPoint end;
    TScrollBarKind kind = sbHorizontal;
    int min = 0;
    int max = 0;

    QPoint PositionToPoint(int position) const;
    // The point of the track nearest along the value coordinate, clamped to its ends.
    QPoint Project(QPoint point) const;
    int PointToPosition(QPoint point) const;
};
