#include "cd_drive.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

class CdAudioSource : public PcmSource {
public:
    CdAudioSource(std::shared_ptr<const CdDrive> drive, const CdToc& toc)
        : drive(std::move(drive)), toc(toc), firstSector(toc.tracks.front().startSector),
          frames(static_cast<std::int64_t>(toc.leadOutSector - firstSector) * CdFramesPerSector) {}

    WaveDeviceFormat Format() const override { return {2, 44100, 16}; }
    std::int64_t Frames() const override { return frames; }
    void Seek(std::int64_t frame) override {
        position = std::clamp<std::int64_t>(frame, 0, frames);
    }

    std::int32_t Read(std::uint8_t* data, std::int32_t wanted) override {
        constexpr int frameBytes = CdBytesPerSector / CdFramesPerSector;
        std::int32_t given = 0;
        while (given < wanted && position < frames) {
            const auto sector = static_cast<std::int32_t>(position / CdFramesPerSector);
            if (sector < cachedSector || sector >= cachedSector + cachedCount) {
                Fill(sector);
            }
            const auto offset =
                position - static_cast<std::int64_t>(cachedSector) * CdFramesPerSector;
            const auto available =
                static_cast<std::int64_t>(cachedCount) * CdFramesPerSector - offset;
            const auto take = static_cast<std::int32_t>(
                std::min<std::int64_t>({available, wanted - given, frames - position}));
            std::memcpy(data + static_cast<std::size_t>(given) * frameBytes,
                        cache.data() + offset * frameBytes,
                        static_cast<std::size_t>(take) * frameBytes);
            given += take;
            position += take;
        }
        return given;
    }

private:
    // Sectors from one on that are all audio, or all something else.
    struct SectorRun {
        std::int32_t end;
        bool audio;
    };

    // Reads ahead a run of sectors of one audio track. Sectors of no audio track (a data track,
    // the gap an enhanced CD leaves before it) play as silence: a drive fails to read them as
    // audio.
    void Fill(std::int32_t relativeSector) {
        constexpr std::int32_t readAhead = 14; // a little over 32 KB, one player buffer
        const std::int32_t sector = firstSector + relativeSector;
        const SectorRun run = RunAt(sector);
        const std::int32_t count = std::min(readAhead, run.end - sector);
        cache.assign(static_cast<std::size_t>(count) * CdBytesPerSector, 0);
        if (run.audio) {
            drive->ReadAudio(sector, count, cache.data());
        }
        cachedSector = relativeSector;
        cachedCount = count;
    }

    // The audio track `sector` lies in up to its end, or else the silence up to the next audio
    // track or the lead-out.
    SectorRun RunAt(std::int32_t sector) const {
        std::int32_t silenceEnd = toc.leadOutSector;
        for (const CdTrack& track : toc.tracks) {
            if (!track.audio) {
                continue;
            }
            const std::int32_t end = track.startSector + track.sectors;
            if (sector >= track.startSector && sector < end) {
                return {end, true};
            }
            if (track.startSector > sector) {
                silenceEnd = std::min(silenceEnd, track.startSector);
            }
        }
        return {silenceEnd, false};
    }

    std::shared_ptr<const CdDrive> drive;
    CdToc toc;
    std::int32_t firstSector;
    std::int64_t frames;
    std::int64_t position = 0;
    std::vector<std::uint8_t> cache;
    std::int32_t cachedSector = 0;
    std::int32_t cachedCount = 0;
};

} // namespace

std::unique_ptr<PcmSource> OpenCdAudio(std::shared_ptr<const CdDrive> drive, const CdToc& toc) {
    if (toc.tracks.empty()) {
        throw EMediaError("The disc " + drive->Path() + " has no tracks.");
    }
    return std::make_unique<CdAudioSource>(std::move(drive), toc);
}
