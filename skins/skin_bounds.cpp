#include "skin_bounds.h"

#include "actions/message_format.h"
#include "actions/messages.h"

#include <cstdint>

bool FitsSkinPixels(QSize size) {
    return IsInSkinRange(size.width(), SkinSizeRange) &&
           IsInSkinRange(size.height(), SkinSizeRange) &&
           qint64{size.width()} * size.height() <= MaxSkinPixels;
}

QString TooManyPixelsText(QSize size) {
    return FormatMessage(
        STooManyPixels,
        {size.width(), size.height(), static_cast<std::int64_t>(MaxSkinPixels), SkinSizeRange.Max});
}
