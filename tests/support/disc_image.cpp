#include "disc_image.h"

#include <cstdio>
#include <fstream>

namespace {

constexpr int SectorBytes = 2352;

std::string IndexLine(std::int32_t sector) {
    char line[40];
    std::snprintf(line, sizeof line, "    INDEX 01 %02d:%02d:%02d\n", sector / 4500,
                  sector / 75 % 60, sector % 75);
    return line;
}

void WriteSectors(std::ofstream& bin, std::int32_t count, std::uint8_t byte) {
    const std::string sector(SectorBytes, static_cast<char>(byte));
    for (std::int32_t i = 0; i < count; ++i) {
        bin.write(sector.data(), SectorBytes);
    }
}

} // namespace

DiscImage::DiscImage(const std::string& folder, const std::vector<std::int32_t>& trackSectors,
                     std::int32_t dataSectors)
    : cuePath(folder + "/disc.cue"), binPath(folder + "/disc.bin") {
    std::ofstream cue(cuePath);
    cue << "FILE \"disc.bin\" BINARY\n";
    for (std::size_t i = 0; i < trackSectors.size(); ++i) {
        trackStarts.push_back(audioEnd);
        char line[40];
        std::snprintf(line, sizeof line, "  TRACK %02zu AUDIO\n", i + 1);
        cue << line << IndexLine(audioEnd);
        audioEnd += trackSectors[i];
    }
    sectors = audioEnd;
    if (dataSectors > 0) {
        dataStart = audioEnd + SessionGapSectors;
        char line[40];
        std::snprintf(line, sizeof line, "  TRACK %02zu MODE1/2352\n", trackSectors.size() + 1);
        cue << line << IndexLine(dataStart);
        sectors = dataStart + dataSectors;
    }

    std::ofstream bin(binPath, std::ios::binary);
    for (std::int64_t frame = 0; frame < static_cast<std::int64_t>(audioEnd) * 588; ++frame) {
        const auto bytes = FrameAt(frame);
        bin.write(reinterpret_cast<const char*>(bytes.data()), 4);
    }
    if (dataSectors > 0) {
        WriteSectors(bin, SessionGapSectors, GapByte);
        WriteSectors(bin, dataSectors, DataByte);
    }
}

std::vector<std::uint8_t> DiscImage::Frame(std::int64_t frame, int track) {
    const auto left = static_cast<std::uint16_t>(frame & 0x7FFF);
    return {static_cast<std::uint8_t>(left), static_cast<std::uint8_t>(left >> 8),
            static_cast<std::uint8_t>(track), 0};
}

std::vector<std::uint8_t> DiscImage::FrameAt(std::int64_t frame) const {
    int track = 0;
    while (track < static_cast<int>(trackStarts.size()) &&
           trackStarts[static_cast<std::size_t>(track)] * 588LL <= frame) {
        ++track;
    }
    return Frame(frame, track);
}

std::string WriteUnreadableDiscImage(const std::string& folder) {
    const std::string cuePath = folder + "/unreadable.cue";
    std::ofstream(cuePath) << "FILE \"unreadable.bin\" BINARY\n"
                              "  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
                              "  TRACK 02 AUDIO\n    INDEX 01 00:04:00\n";
    // Two seconds of silence, where the second track would start at four.
    const std::vector<char> silence(2 * 75 * 2352);
    std::ofstream(folder + "/unreadable.bin", std::ios::binary)
        .write(silence.data(), static_cast<std::streamsize>(silence.size()));
    return cuePath;
}
