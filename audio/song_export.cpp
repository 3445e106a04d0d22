#include "song_export.h"

#include "platform/file_stream.h"
#include "platform/media/rate_converter.h"
#include "wave_file_stream.h"

#include <algorithm>
#include <vector>

void ExportSongSection(const TMediaPlayer& player, std::int32_t fromMs, std::int32_t toMs,
                       const std::string& path) {
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
    std::int64_t remaining = frameOf(toMs) - first;
    reader->Seek(first);

    TWaveFileStream file;
    file.Format = MakePcmWaveFormat(2, rate, 16);
    file.SetFileName(path);
    file.CreateNew();
    try {
        std::vector<std::uint8_t> buffer(32768);
        const std::int32_t align = reader->Format().BlockAlign();
        while (remaining > 0) {
            const auto wanted = static_cast<std::int32_t>(std::min<std::int64_t>(
                remaining, static_cast<std::int64_t>(buffer.size()) / align));
            const std::int32_t frames = reader->Read(buffer.data(), wanted);
            if (frames == 0) {
                break; // a damaged file ends early: keep what it has
            }
            file.Write(buffer.data(), frames * align);
            remaining -= frames;
        }
        file.Close();
    } catch (...) {
        // No half-written section is left behind.
        try {
            file.Close();
        } catch (const std::exception&) {
        }
        FileStream::Delete(path);
        throw;
    }
}
