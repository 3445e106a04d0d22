#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A .cue/.bin audio disc image whose tracks have the given lengths in sectors. Every frame
// tells where it lies: left = frame number (low 15 bits), right = track number.
//
// With `dataSectors`, an enhanced CD: after the audio tracks comes the gap between the two
// sessions, then a data track of that length. Gap and data sectors hold marker bytes, so a
// read of them as audio shows.
struct DiscImage {
    // Between the last audio track and the data track: the audio session's lead-out (6750
    // sectors), the data session's lead-in (4500) and the data track's pregap (150).
    static constexpr std::int32_t SessionGapSectors = 6750 + 4500 + 150;
    static constexpr std::uint8_t GapByte = 0xA5;
    static constexpr std::uint8_t DataByte = 0x5A;

    DiscImage(const std::string& folder, const std::vector<std::int32_t>& trackSectors,
              std::int32_t dataSectors = 0);

    // The 4 bytes of frame `frame` (counted from the start of the first track).
    static std::vector<std::uint8_t> Frame(std::int64_t frame, int track);
    std::vector<std::uint8_t> FrameAt(std::int64_t frame) const;

    std::string cuePath;
    std::string binPath;
    std::vector<std::int32_t> trackStarts; // sectors, of the audio tracks
    std::int32_t audioEnd = 0;             // the sector after the last audio track
    std::int32_t dataStart = 0;            // of the data track; 0 without one
    std::int32_t sectors = 0;              // the whole image: the lead-out
};

// A .cue image in `folder` whose second track starts beyond the end of its .bin: it opens, but
// its table of contents cannot be read. Returns the .cue path.
std::string WriteUnreadableDiscImage(const std::string& folder);
