#include "restore_channels.h"

#include "stretch_passes.h"
#include "wave_file_stream.h"

#include <algorithm>
#include <cmath>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

// Progress is reported once per this many frames.
constexpr std::int64_t ReportFrames = 1048576;
// Frames collected before a write to the file.
constexpr std::int64_t WriteFrames = 65536;

// rnd(value), halves to even, limited to [low, high]. Clamping first gives the same result
// for every value, and keeps the conversion inside the integer range.
int Round(double value, double low, double high) {
    const double limited = value < low ? low : (value > high ? high : value);
#ifdef __SSE2__
    return _mm_cvtsd_si32(_mm_set_sd(limited));
#else
    return static_cast<int>(std::nearbyint(limited));
#endif
}

void Put16(std::uint8_t* out, double value) {
    const auto sample = static_cast<std::uint16_t>(Round(value, -32768.0, 32767.0));
    out[0] = static_cast<std::uint8_t>(sample);
    out[1] = static_cast<std::uint8_t>(sample >> 8);
}

void Put8(std::uint8_t* out, double value) {
    out[0] = static_cast<std::uint8_t>(Round(value, -128.0, 127.0) + 128);
}

} // namespace

RestoreChannels::RestoreChannels(TWaveFileStream& destination, int kind, double gain,
                                 std::int64_t frames, std::function<void(double)> progress)
    : destination(destination), kind(kind), frameBytes(KindFrameBytes(kind)), gain(gain),
      frames(frames), progress(std::move(progress)),
      pending(static_cast<std::size_t>(WriteFrames * frameBytes)) {
    destination.SetPosition(0);
}

void RestoreChannels::Append(const double* a, const double* b, std::int64_t count) {
    count = std::min(count, frames - written);
    while (count > 0) {
        if (written >= nextReport) {
            if (progress) {
                progress(static_cast<double>(written) / static_cast<double>(frames));
            }
            nextReport += ReportFrames;
        }
        const std::int64_t room = WriteFrames - static_cast<std::int64_t>(used) / frameBytes;
        const std::int64_t n = std::min({count, room, nextReport - written});
        Convert(a, b, n);
        a += n;
        b += n;
        count -= n;
        written += n;
        if (static_cast<std::int64_t>(used) == WriteFrames * frameBytes) {
            Flush();
        }
    }
}

void RestoreChannels::Convert(const double* a, const double* b, std::int64_t count) {
    std::uint8_t* out = pending.data() + used;
    switch (kind) {
    case 1:
        for (std::int64_t i = 0; i < count; ++i) {
            Put8(out + i, a[i] * gain);
        }
        break;
    case 2:
        for (std::int64_t i = 0; i < count; ++i) {
            Put16(out + 2 * i, a[i] * gain);
        }
        break;
    case 3:
        for (std::int64_t i = 0; i < count; ++i) {
            Put8(out + 2 * i, a[i] * gain);
            Put8(out + 2 * i + 1, b[i] * gain);
        }
        break;
    default:
        for (std::int64_t i = 0; i < count; ++i) {
            Put16(out + 4 * i, a[i] * gain);
            Put16(out + 4 * i + 2, b[i] * gain);
        }
        break;
    }
    used += static_cast<std::size_t>(count * frameBytes);
}

void RestoreChannels::Finish() {
    const std::vector<double> silence(static_cast<std::size_t>(WriteFrames), 0.0);
    while (written < frames) {
        Append(silence.data(), silence.data(),
               std::min<std::int64_t>(frames - written, WriteFrames));
    }
    Flush();
}

void RestoreChannels::Flush() {
    if (used > 0) {
        destination.Write(pending.data(), static_cast<std::int32_t>(used));
        used = 0;
    }
}
