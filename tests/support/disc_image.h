#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A .cue/.bin audio disc image whose tracks have the given lengths in sectors. Every frame
// tells where it lies: left = frame number (low 15 bits), right = track number.
struct DiscImage {
    DiscImage(const std::string& folder, const std::vector<std::int32_t>& trackSectors);

    // The 4 bytes of frame `frame` (counted from the start of the first track).
    static std::vector<std::uint8_t> Frame(std::int64_t frame, int track);
    std::vector<std::uint8_t> FrameAt(std::int64_t frame) const;

    std::string cuePath;
    std::string binPath;
    std::vector<std::int32_t> trackStarts; // sectors
    std::int32_t sectors = 0;
};

// A .cue image in `folder` whose second track starts beyond the end of its .bin: it opens, but
// its table of contents cannot be read. Returns the .cue path.
std::string WriteUnreadableDiscImage(const std::string& folder);
