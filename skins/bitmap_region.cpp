#include "bitmap_region.h"

#include <new>
#include <vector>

namespace {

// Runs are handed to the region in batches, so a picture with many runs never needs one
// rectangle list of its whole size.
constexpr std::size_t BatchSize = 4000;

const char* const CannotCreateRegion = "ZtBitmapToRgn: Cannot Create RGN";

void UniteBatch(QRegion& result, std::vector<QRect>& batch) {
    if (batch.empty()) {
        return;
    }
    QRegion part;
    // One-pixel-high runs taken row by row, left to right, are the banded order setRects needs.
    part.setRects(batch.data(), static_cast<int>(batch.size()));
    result = result.united(part);
    batch.clear();
}

} // namespace

QRegion BitmapToRegion(const QImage& bitmap, QRgb transparentColor) {
    if (bitmap.isNull()) {
        return {};
    }
    try {
        const QImage pixels = bitmap.convertToFormat(QImage::Format_RGB32);
        if (pixels.isNull()) {
            throw EOutOfResources(CannotCreateRegion);
        }
        const QRgb transparent = transparentColor & RGB_MASK;
        const int width = pixels.width();
        QRegion result;
        std::vector<QRect> batch;
        batch.reserve(BatchSize);
        auto append = [&](int left, int right, int y) {
            if (batch.size() == BatchSize) {
                UniteBatch(result, batch);
            }
            batch.emplace_back(QPoint(left, y), QPoint(right - 1, y));
        };
        for (int y = 0; y < pixels.height(); ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
            int runStart = -1;
            for (int x = 0; x < width; ++x) {
                const bool opaque = (row[x] & RGB_MASK) != transparent;
                if (opaque && runStart < 0) {
                    runStart = x;
                } else if (!opaque && runStart >= 0) {
                    append(runStart, x, y);
                    runStart = -1;
                }
            }
            if (runStart >= 0) {
                append(runStart, width, y);
            }
        }
        UniteBatch(result, batch);
        return result;
    } catch (const std::bad_alloc&) {
        throw EOutOfResources(CannotCreateRegion);
    }
}
