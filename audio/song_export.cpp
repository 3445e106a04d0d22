#include "song_export.h"

#include "platform/cd_drive.h"
#include "platform/file_stream.h"
#include "platform/media/media_file.h"
#include "platform/media/rate_converter.h"
#include "song_renderer.h"
#include "wave_file_stream.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <vector>

namespace {

// Gives up to `frames` frames of sound; 0 at its end.
using SoundReader = std::function<std::int32_t(std::uint8_t* data, std::int32_t frames)>;

// Writes `frames` frames that `read` gives to a new WAVE file at path in `format`, reporting
// the fraction done after each piece. Nothing of a file that fails half-way is left.
void WriteSoundToWave(const WaveDeviceFormat& format, const SoundReader& read, std::int64_t frames,
                      const std::string& path, const ProgressCallback& progress) {
    const std::int32_t align = format.BlockAlign();
    if (frames * align > std::numeric_limits<std::int32_t>::max() - TRiffStream::NewHeaderSize) {
        throw EMediaError("The song is too long for a WAVE file of 2 GiB.");
    }
    TWaveFileStream file;
    file.Format = MakePcmWaveFormat(format.channels, format.samplesPerSec, format.bitsPerSample);
    file.SetFileName(path);
    file.CreateNew();
    try {
        std::vector<std::uint8_t> buffer(32768);
        std::int64_t remaining = frames;
        while (remaining > 0) {
            if (progress) {
                progress(DecodeStageText(),
                         static_cast<double>(frames - remaining) / static_cast<double>(frames));
            }
            const auto wanted = static_cast<std::int32_t>(std::min<std::int64_t>(
                remaining, static_cast<std::int64_t>(buffer.size()) / align));
            const std::int32_t got = read(buffer.data(), wanted);
            if (got == 0) {
                break; // a damaged file ends early: keep what it has
            }
            file.Write(buffer.data(), got * align);
            remaining -= got;
        }
        file.Close();
    } catch (...) {
        try {
            file.Close();
        } catch (const std::exception&) {
        }
        FileStream::Delete(path);
        throw;
    }
}

} // namespace

void ExportSongSection(const TMediaPlayer& player, std::int32_t fromMs, std::int32_t toMs,
                       const std::string& path, const TPlaybackTempo& tempo) {
    constexpr int rate = 44100;
    if (toMs < fromMs) {
        throw EMCIDeviceError("The section ends before it starts.");
    }
    auto reader = player.NewReader();
    const std::int64_t origin = player.OriginFrame() * rate / reader->Format().samplesPerSec;
    reader = ConvertRate(std::move(reader), rate);
    const auto frameOf = [&](std::int32_t ms) {
        return std::clamp<std::int64_t>(std::int64_t{ms} * rate / 1000 - origin, 0,
                                        reader->Frames());
    };
    const std::int64_t first = frameOf(fromMs);
    if (first >= reader->Frames()) {
        throw EMCIDeviceError("The section lies beyond the end of the song.");
    }
    TSongRenderer renderer(*reader, first, tempo);
    const auto frames = std::llround(double(frameOf(toMs) - first) / tempo.Speed);
    WriteSoundToWave(
        reader->Format(),
        [&](std::uint8_t* data, std::int32_t wanted) {
            return renderer.Render(reinterpret_cast<std::int16_t*>(data), wanted,
                                   [](const std::int16_t*, std::int32_t) {});
        },
        frames, path, nullptr);
}

std::unique_ptr<PcmSource> OpenSongSound(const std::string& path) {
    if (!CdDrive::IsDiscPath(path)) {
        return OpenMediaFile(path);
    }
    auto drive = std::make_shared<CdDrive>(path);
    const CdToc toc = drive->ReadToc();
    return OpenCdAudio(std::move(drive), toc);
}

std::string& DecodeStageText() {
    static std::string text = "Decoding the song...";
    return text;
}

void DecodeSongToWave(const std::string& path, const std::string& wavePath,
                      const ProgressCallback& progress) {
    std::unique_ptr<PcmSource> reader;
    try {
        reader = OpenSongSound(path);
    } catch (...) {
        FileStream::Delete(wavePath);
        throw;
    }
    WriteSoundToWave(
        reader->Format(),
        [&](std::uint8_t* data, std::int32_t frames) { return reader->Read(data, frames); },
        reader->Frames(), wavePath, progress);
}
