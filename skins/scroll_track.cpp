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

// [span times part / whole], the product formed exactly and rounded once; 0 when whole is 0.
WideInt Scaled(WideInt span, WideInt part, WideInt whole) {
    return whole == 0 ? 0 : RoundedQuotient(span * part, whole);
}

} // namespace

QPoint ScrollTrack::PositionToPoint(int position) const {
    // A position outside the range ends on the nearer end of the track either way, as the point
    // is projected onto it; clamping first keeps the sum within the track's own span.
    const int inRange = std::clamp(position, std::min(min, max), std::max(min, max));
    const int s = ValueOf(start, kind);
    QPoint point = start;
    ValueRef(point, kind) = static_cast<int>(
        s + Scaled(WideInt(ValueOf(end, kind)) - s, WideInt(inRange) - min, WideInt(max) - min));
    return Project(point);
}

QPoint ScrollTrack::Project(QPoint point) const {
    const int s = ValueOf(start, kind);
    const int e = ValueOf(end, kind);
    const int v = std::clamp(ValueOf(point, kind), std::min(s, e), std::max(s, e));
    // slope times v + (start other - s times slope), with slope the rise over e - s, is the
    // start's other coordinate plus the rise over the part of the run up to v.
    const int other = OtherOf(start, kind);
    const WideInt run = WideInt(e) - s;
    const WideInt rounded =
        run == 0 ? other
                 : RoundedQuotient(
                       other * run + (WideInt(OtherOf(end, kind)) - other) * (WideInt(v) - s), run);
    QPoint projected;
    ValueRef(projected, kind) = v;
    OtherRef(projected, kind) = static_cast<int>(rounded);
    return projected;
}

int ScrollTrack::PointToPosition(QPoint point) const {
    const int s = ValueOf(start, kind);
    return SaturatedInt(min + Scaled(WideInt(max) - min, WideInt(ValueOf(point, kind)) - s,
                                     WideInt(ValueOf(end, kind)) - s));
}
