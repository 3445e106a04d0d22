#include "song_tap.h"

#include <algorithm>

TSongTap::TSongTap(TMediaPlayer& player) : player(player) {
    player.Listener = this;
}

TSongTap::~TSongTap() {
    if (player.Listener == this) {
        player.Listener = nullptr;
    }
}

std::int64_t TSongTap::Heard() const {
    const std::int64_t heard = player.HeardBytes();
    return end >= 0 ? std::min(heard, end) : heard;
}

void TSongTap::SongFilled(std::int64_t start, const std::uint8_t* data, std::int32_t bytes,
                          const WaveDeviceFormat& format) {
    chunks.push_back({start, format, std::vector<std::uint8_t>(data, data + bytes)});
    Forget(held >= 0 ? held : Heard());
    if (OnFilled) {
        OnFilled();
    }
}

void TSongTap::SongDropped(std::int64_t heard) {
    while (!chunks.empty() && chunks.back().start >= heard) {
        chunks.pop_back();
    }
    if (!chunks.empty() && chunks.back().End() > heard) {
        chunks.back().bytes.resize(static_cast<std::size_t>(heard - chunks.back().start));
    }
}

void TSongTap::Take(
    std::int64_t from, std::int64_t to,
    const std::function<void(const std::uint8_t*, std::int32_t, const WaveDeviceFormat&)>& take) {
    for (const Chunk& chunk : chunks) {
        const std::int64_t begin = std::max(from, chunk.start);
        const std::int64_t end = std::min(to, chunk.End());
        if (begin < end) {
            take(chunk.bytes.data() + (begin - chunk.start), static_cast<std::int32_t>(end - begin),
                 chunk.format);
        }
    }
    Forget(to);
}

void TSongTap::Forget(std::int64_t before) {
    while (!chunks.empty() && chunks.front().End() <= before) {
        chunks.pop_front();
    }
}
