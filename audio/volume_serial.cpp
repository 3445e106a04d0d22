#include "volume_serial.h"

#include <cstdio>

namespace {

// Windows takes the lead-out of an enhanced CD's audio session to lie 2:30 before the data
// track (the session's lead-out and the next one's lead-in), leaving out the data track's 2 s
// pregap: 150 sectors after where the audio really ends. The serial must be the one Windows
// computes, so it keeps that figure.
constexpr std::int32_t WindowsLeadOutBeforeDataSectors = 150 * CdSectorsPerSecond;

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
        leadOut = toc.tracks[last].startSector - WindowsLeadOutBeforeDataSectors;
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
