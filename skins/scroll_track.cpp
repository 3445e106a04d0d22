#include "scroll_track.h"

#include "round_half_even.h"

#include <algorithm>

namespace {

int& ValueRef(QPoint& point, TScrollBarKind kind) {
    return kind == sbHorizontal ? point.rx() : point.ry();
}

int& OtherRef(QPoint& point, TScrollBarKind kind) {
    return kind == sbHorizontal ? point.ry() : point.rx();
}

int ValueOf(QPoint point, TScrollBarKind kind) {
    return kind == sbHorizontal ? point.x() : point.y();
}

int OtherOf(QPoint point, TScrollBarKind kind) {
    return kind == sbHorizontal ? point.y() : point.x();
}

double Fraction(double part, double whole) {
    return whole == 0 ? 0.0 : part / whole;
}

} // namespace

QPoint ScrollTrack::PositionToPoint(int position) const {
    const double f = Fraction(double(position) - min, double(max) - min);
    QPoint point = start;
    const int s = ValueOf(start, kind);
    ValueRef(point, kind) = s + RoundHalfEven((double(ValueOf(end, kind)) - s) * f);
    return Project(point);
}

QPoint ScrollTrack::Project(QPoint point) const {
    const int s = ValueOf(start, kind);
    const int e = ValueOf(end, kind);
    const int v = std::clamp(ValueOf(point, kind), std::min(s, e), std::max(s, e));
    const double slope = Fraction(double(OtherOf(end, kind)) - OtherOf(start, kind), double(e) - s);
    QPoint projected;
    ValueRef(projected, kind) = v;
    OtherRef(projected, kind) = RoundHalfEven(slope * v + (OtherOf(start, kind) - s * slope));
    return projected;
}

int ScrollTrack::PointToPosition(QPoint point) const {
    const int s = ValueOf(start, kind);
    const double f = Fraction(double(ValueOf(point, kind)) - s, double(ValueOf(end, kind)) - s);
    return min + RoundHalfEven((double(max) - min) * f);
}
