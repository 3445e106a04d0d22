#include "screen_area.h"

#include <QGuiApplication>
#include <QRect>
#include <QRegion>
#include <QScreen>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <vector>

namespace {

// A stored corner may lie anywhere an int reaches: sums are taken wider.
std::int64_t Clamp(std::int64_t start, std::int64_t length, std::int64_t areaStart,
                   std::int64_t areaLength) {
    return std::max(areaStart, std::min(start, areaStart + areaLength - length));
}

bool FitsIn(std::int64_t start, std::int64_t length, std::int64_t areaStart,
            std::int64_t areaLength) {
    return start >= areaStart && start + length <= areaStart + areaLength;
}

} // namespace

QPoint ClampToScreens(QPoint topLeft, QSize size) {
    const std::int64_t left = topLeft.x();
    const std::int64_t top = topLeft.y();
    const std::int64_t width = std::max(size.width(), 1);
    const std::int64_t height = std::max(size.height(), 1);
    std::vector<QRect> screens;
    QRegion area;
    for (const QScreen* screen : QGuiApplication::screens()) {
        screens.push_back(screen->availableGeometry());
        area += screens.back();
    }
    if (screens.empty()) {
        return topLeft;
    }
    const QRect bounds = area.boundingRect();
    // Only a window within the bounds may be made a rectangle without overflow.
    if (FitsIn(left, width, bounds.x(), bounds.width()) &&
        FitsIn(top, height, bounds.y(), bounds.height()) &&
        QRegion(QRect(topLeft, QSize(static_cast<int>(width), static_cast<int>(height))))
            .subtracted(area)
            .isEmpty()) {
        return topLeft;
    }
    QPoint best;
    std::int64_t bestDistance = std::numeric_limits<std::int64_t>::max();
    for (const QRect& screen : screens) {
        const std::int64_t x = Clamp(left, width, screen.x(), screen.width());
        const std::int64_t y = Clamp(top, height, screen.y(), screen.height());
        const std::int64_t distance = std::abs(x - left) + std::abs(y - top);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = QPoint(static_cast<int>(x), static_cast<int>(y));
        }
    }
    return best;
}
