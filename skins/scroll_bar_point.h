#pragma once

#include <QPoint>
#include <functional>

// A point that tells its owner whenever X or Y is set.
class TBitmapScrollBarPoint {
public:
    int X() const { return point.x(); }
    int Y() const { return point.y(); }
    QPoint Point() const { return point; }
    void SetX(int value);
    void SetY(int value);

    std::function<void()> OnChange;

private:
    QPoint point;
};
