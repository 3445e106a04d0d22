#include "restore_channels.h"
#include "stretch_passes.h"
#include "stretch_source.h"
#include "wave_processing.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

// Blocks of at most this many values are added without the window.
constexpr std::int64_t UnwindowedValues = 64;

// The running sums of the output frames that blocks may still reach, from frame `start` on.
// They sit from `origin` in arrays that are compacted only when the end is reached.
class Accumulator {
public:
    explicit Accumulator(bool stereo) : stereo(stereo) {}

    // Frames before `frame` are final: hands them on and forgets them.
    void Release(std::int64_t frame, RestoreChannels* output) {
        const std::int64_t ready = std::min(frame - start, filled - origin);
        if (ready > 0) {
            if (output != nullptr) {
                output->Append(a.data() + origin, (stereo ? b : a).data() + origin, ready);
            }
            origin += ready;
        }
        if (output != nullptr && frame > start + ready) {
            // A gap no block covered (a hop longer than the block) stays silent.
            const std::vector<double> silence(static_cast<std::size_t>(frame - start - ready));
            output->Append(silence.data(), silence.data(),
                           static_cast<std::int64_t>(silence.size()));
        }
        start = frame;
    }

    // Sums of frames [start, start + count) are there; those not reached before start at 0.0.
    void Reach(std::int64_t count) {
        if (origin + count > static_cast<std::int64_t>(a.size())) {
            Compact(count);
        }
        if (origin + count > filled) {
            std::fill(a.begin() + filled, a.begin() + origin + count, 0.0);
            if (stereo) {
                std::fill(b.begin() + filled, b.begin() + origin + count, 0.0);
            }
            filled = origin + count;
        }
    }

    double* A() { return a.data() + origin; }
    double* B() { return b.data() + origin; }

private:
    void Compact(std::int64_t count) {
        const std::int64_t live = filled - origin;
        const auto needed = static_cast<std::size_t>(8 * std::max(count, live));
        if (a.size() < needed) {
            a.resize(needed);
            if (stereo) {
                b.resize(needed);
            }
        }
        std::copy(a.begin() + origin, a.begin() + filled, a.begin());
        if (stereo) {
            std::copy(b.begin() + origin, b.begin() + filled, b.begin());
        }
        origin = 0;
        filled = live;
    }

    bool stereo;
    std::int64_t start = 0;
    std::int64_t origin = 0;
    std::int64_t filled = 0;
    std::vector<double> a, b;
};

// Adds one block into the sums, raising the peak after every single addition. Two lanes keep
// two peaks apart; the larger of the two is the same as one running peak.
void AddBlock(double* sums, const double* values, const double* window, std::int64_t count,
              double& peak) {
    std::int64_t i = 0;
#ifdef __SSE2__
    const __m128d signBit = _mm_set1_pd(-0.0);
    __m128d highest = _mm_set1_pd(peak);
    for (; i + 2 <= count; i += 2) {
        __m128d value = _mm_loadu_pd(values + i);
        if (window != nullptr) {
            value = _mm_mul_pd(value, _mm_loadu_pd(window + i));
        }
        const __m128d sum = _mm_add_pd(_mm_loadu_pd(sums + i), value);
        _mm_storeu_pd(sums + i, sum);
        highest = _mm_max_pd(_mm_andnot_pd(signBit, sum), highest);
    }
    double lanes[2];
    _mm_storeu_pd(lanes, highest);
    peak = lanes[0] > lanes[1] ? lanes[0] : lanes[1];
#endif
    for (; i < count; ++i) {
        const double value = window != nullptr ? values[i] * window[i] : values[i];
        const double sum = sums[i] + value;
        sums[i] = sum;
        const double magnitude = std::fabs(sum);
        peak = magnitude > peak ? magnitude : peak;
    }
}

// The window factors for blocks of one length, kept while the length stays the same.
class WindowCache {
public:
    const double* For(std::int64_t count) {
        if (count <= UnwindowedValues) {
            return nullptr;
        }
        if (count != length) {
            factors.assign(static_cast<std::size_t>(count), 1.0);
            TaperWindow(factors.data(), static_cast<std::int32_t>(count * 8));
            length = count;
        }
        return factors.data();
    }

private:
    std::int64_t length = -1;
    std::vector<double> factors;
};

} // namespace

ChannelPeaks OverlapAdd(SourceChannels& source, const StretchSize& size, std::int64_t blockLength,
                        std::int64_t hop, const std::function<void(double)>& progress,
                        RestoreChannels* output) {
    const std::int64_t framesIn = size.FramesIn;
    const std::int64_t framesOut = size.FramesOut;
    ChannelPeaks peaks;
    Accumulator sums(size.Stereo);
    WindowCache windows;
    for (std::int64_t outPos = 0; outPos < framesOut - 1; outPos += hop) {
        if (progress) {
            progress(static_cast<double>(outPos) / static_cast<double>(framesOut));
        }
        const std::int64_t inPos =
            Rnd(static_cast<double>(framesIn * outPos) / static_cast<double>(framesOut));
        const std::int64_t count = inPos + blockLength >= framesIn ? framesIn - inPos : blockLength;
        sums.Release(outPos, output);
        if (count <= 0) {
            continue;
        }
        source.Fetch(inPos, count);
        sums.Reach(count);
        const double* window = windows.For(count);
        AddBlock(sums.A(), source.A(inPos), window, count, peaks.A);
        if (size.Stereo) {
            AddBlock(sums.B(), source.B(inPos), window, count, peaks.B);
        }
    }
    sums.Release(framesOut, output);
    if (!size.Stereo) {
        // Both channels of a mono source hold the same values.
        peaks.B = peaks.A;
    }
    return peaks;
}
