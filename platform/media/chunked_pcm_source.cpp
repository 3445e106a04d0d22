#include "chunked_pcm_source.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int frameBytes = 4;

} // namespace

std::int32_t ChunkedPcmSource::Read(std::uint8_t* data, std::int32_t count) {
    const std::int64_t wanted = std::min<std::int64_t>(count, frames - position);
    std::int64_t done = 0;
    while (done < wanted && (pendingCount > 0 || Refill())) {
        const int step = static_cast<int>(std::min<std::int64_t>(wanted - done, pendingCount));
        std::memcpy(data + done * frameBytes, Chunk() + pendingIndex * 2,
                    static_cast<std::size_t>(step) * frameBytes);
        pendingIndex += step;
        pendingCount -= step;
        done += step;
    }
    position += done;
    return static_cast<std::int32_t>(done);
}

void ChunkedPcmSource::TakeChunk(std::int64_t start, int count) {
    position = start;
    pendingIndex = 0;
    pendingCount = count;
}

void ChunkedPcmSource::Skip(std::int64_t count) {
    while (count > 0 && (pendingCount > 0 || Refill())) {
        const int step = static_cast<int>(std::min<std::int64_t>(count, pendingCount));
        pendingIndex += step;
        pendingCount -= step;
        position += step;
        count -= step;
    }
}
