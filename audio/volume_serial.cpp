#include "volume_serial.h"

#include <cstdio>

namespace {

// The gap an enhanced CD leaves between its audio session and the data track after it.
constexpr std::int32_t SessionGapSectors = 150 * CdSectorsPerSecond;

std::uint32_t PackedMsf(std::int32_t sector) {
    const auto address = static_cast<std::uint32_t>(sector + CdAddressOffset);
    const std::uint32_t minutes = address / (60 * CdSectorsPerSecond);
    const std::uint32_t seconds = address / CdSectorsPerSecond % 60;
    const std::uint32_t frames = address % CdSectorsPerSecond;
    return minutes << 16 | seconds << 8 | frames;
}

} // namespace

std::uint32_t CdVolumeSerial(const CdToc& toc) {
    auto last = toc.tracks.size();
    std::int32_t leadOut = toc.leadOutSector;
    if (last > 1 && !toc.tracks[last - 1].audio && toc.tracks[last - 2].audio) {
        --last;
        leadOut = toc.tracks[last].startSector - SessionGapSectors;
    }
    std::uint32_t serial = 0;
    for (std::size_t i = 0; i < last; ++i) {
        serial += PackedMsf(toc.tracks[i].startSector);
    }
    if (last < 3 && last > 0) {
        serial += static_cast<std::uint32_t>(leadOut - toc.tracks.front().startSector);
    }
    return serial;
}

std::string CdVolumeSerialText(const CdToc& toc) {
    char text[9];
    std::snprintf(text, sizeof text, "%08X", CdVolumeSerial(toc));
    return text;
}
