#include "render_stream.h"

#include <algorithm>

TSourceReader::TSourceReader(PcmSource& source)
    : source(source), format(source.Format()), frames(source.Frames()) {}

void TSourceReader::Read(std::int64_t frame, std::int16_t* data, std::int32_t count) {
    const std::int32_t channels = format.channels;
    const auto before = static_cast<std::int32_t>(std::clamp<std::int64_t>(-frame, 0, count));
    std::fill_n(data, before * channels, std::int16_t{0});
    std::int32_t done = before;
    if (frame + done < frames && done < count) {
        if (position != frame + done) {
            source.Seek(frame + done);
            position = frame + done;
        }
        const auto wanted = static_cast<std::int32_t>(
            std::min<std::int64_t>(count - done, frames - (frame + done)));
        std::int32_t got = 0;
        while (got < wanted) {
            const std::int32_t n = source.Read(
                reinterpret_cast<std::uint8_t*>(data + (done + got) * channels), wanted - got);
            if (n <= 0) {
                break;
            }
            got += n;
        }
        position += got;
        done += got;
    }
    std::fill(data + done * channels, data + count * channels, std::int16_t{0});
}

TRenderStream::TRenderStream(TSourceReader& reader, std::int64_t start)
    : reader(reader), start(start) {}

void TRenderStream::ReadSource(std::int64_t frame, std::int16_t* data, std::int32_t count) {
    reader.Read(frame, data, count);
    const std::int64_t from = std::max(frame, start);
    const std::int64_t to = std::min(frame + count, reader.Frames());
    if (from < to) {
        const std::int32_t channels = reader.Channels();
        kept.insert(kept.end(), data + (from - frame) * channels, data + (to - frame) * channels);
    }
}

std::int64_t TRenderStream::TakeSource(std::int64_t frames, const TSourceTake& take) {
    const std::int32_t channels = reader.Channels();
    const auto available = static_cast<std::int64_t>(kept.size() - keptFrom) / channels;
    const std::int64_t given = std::min(frames, available);
    if (given > 0) {
        take(kept.data() + keptFrom, static_cast<std::int32_t>(given));
        keptFrom += static_cast<std::size_t>(given * channels);
    }
    if (keptFrom * 2 > kept.size()) {
        kept.erase(kept.begin(), kept.begin() + static_cast<std::ptrdiff_t>(keptFrom));
        keptFrom = 0;
    }
    return given;
}

TDirectStream::TDirectStream(TSourceReader& reader, std::int64_t start, std::int32_t preroll)
    : TRenderStream(reader, start), cursor(start - preroll) {}

void TDirectStream::Read(std::int16_t* data, std::int32_t frames) {
    ReadSource(cursor, data, frames);
    cursor += frames;
}
