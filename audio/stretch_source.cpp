#include "stretch_source.h"

#include "stretch_passes.h"
#include "wave_file_stream.h"
#include "wave_processing.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

// Frames read from the file at a time: large enough to keep system calls rare, small enough
// to stay far below the memory the stretch may use.
constexpr std::int64_t ReadFrames = 65536;

// Every sample value divided by full scale, worked out once: the same doubles the division
// gives, at the cost of a load.
const std::array<double, 65536>& Values16() {
    static const auto table = [] {
        std::array<double, 65536> values{};
        for (int s = -32768; s <= 32767; ++s) {
            values[static_cast<std::uint16_t>(s)] = s / 32767.0;
        }
        return values;
    }();
    return table;
}

const std::array<double, 256>& Values8() {
    static const auto table = [] {
        std::array<double, 256> values{};
        for (int byte = 0; byte < 256; ++byte) {
            values[byte] = (byte - 128) / 127.0;
        }
        return values;
    }();
    return table;
}

std::uint16_t Raw16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

} // namespace

void SplitChannels(const std::uint8_t* bytes, std::int64_t frames, int kind, double* a, double* b) {
    const auto& v8 = Values8();
    const auto& v16 = Values16();
    switch (kind) {
    case 1:
        for (std::int64_t i = 0; i < frames; ++i) {
            a[i] = b[i] = v8[bytes[i]];
        }
        break;
    case 2:
        for (std::int64_t i = 0; i < frames; ++i) {
            a[i] = b[i] = v16[Raw16(bytes + 2 * i)];
        }
        break;
    case 3:
        for (std::int64_t i = 0; i < frames; ++i) {
            a[i] = v8[bytes[2 * i]];
            b[i] = v8[bytes[2 * i + 1]];
        }
        break;
    case 4:
        for (std::int64_t i = 0; i < frames; ++i) {
            a[i] = v16[Raw16(bytes + 4 * i)];
            b[i] = v16[Raw16(bytes + 4 * i + 2)];
        }
        break;
    default:
        throw EWaveProcessing("not supported file type");
    }
}

SourceChannels::SourceChannels(TWaveFileStream& source, int kind, std::int64_t frames)
    : source(source), kind(kind), frameBytes(KindFrameBytes(kind)), frames(frames) {
    source.SetPosition(0);
}

void SourceChannels::Fetch(std::int64_t first, std::int64_t count) {
    while (windowStart + loaded < first + count) {
        const std::int64_t next = windowStart + loaded;
        const std::int64_t n = std::min(ReadFrames, frames - next);
        if (n <= 0) {
            return;
        }
        MakeRoom(first, n);
        raw.resize(static_cast<std::size_t>(n * frameBytes));
        const std::int32_t got = source.Read(raw.data(), static_cast<std::int32_t>(raw.size()));
        // A file cut short of its declared data length reads as silence from the cut on.
        std::fill(raw.begin() + std::max(got, 0), raw.end(), kind == 1 || kind == 3 ? 128 : 0);
        SplitChannels(raw.data(), n, kind, a.get() + loaded, b.get() + loaded);
        loaded += n;
    }
}

// Room for `more` frames after those loaded, keeping frames from `first` on.
void SourceChannels::MakeRoom(std::int64_t first, std::int64_t more) {
    if (loaded + more <= capacity) {
        return;
    }
    const std::int64_t keepFrom = std::clamp<std::int64_t>(first - windowStart, 0, loaded);
    const std::int64_t kept = loaded - keepFrom;
    if (kept + more > capacity) {
        capacity = 2 * (kept + more);
        auto grownA = std::make_unique<double[]>(static_cast<std::size_t>(capacity));
        auto grownB = std::make_unique<double[]>(static_cast<std::size_t>(capacity));
        if (kept > 0) {
            std::memcpy(grownA.get(), a.get() + keepFrom, static_cast<std::size_t>(kept) * 8);
            std::memcpy(grownB.get(), b.get() + keepFrom, static_cast<std::size_t>(kept) * 8);
        }
        a = std::move(grownA);
        b = std::move(grownB);
    } else if (kept > 0) {
        std::memmove(a.get(), a.get() + keepFrom, static_cast<std::size_t>(kept) * 8);
        std::memmove(b.get(), b.get() + keepFrom, static_cast<std::size_t>(kept) * 8);
    }
    windowStart += keepFrom;
    loaded = kept;
}
