#pragma once

#include <cmath>
#include <cstdint>
#include <functional>

class RestoreChannels;
class SourceChannels;

// rnd: the nearest integer, halves to the even one.
inline std::int64_t Rnd(double x) {
    return static_cast<std::int64_t>(std::nearbyint(x));
}

// Bytes of one frame of a sample kind (1 mono 8-bit ... 4 stereo 16-bit).
inline int KindFrameBytes(int kind) {
    return kind == 4 ? 4 : (kind == 1 ? 1 : 2);
}

// The highest absolute value any running sum of a channel reached.
struct ChannelPeaks {
    double A = 0.0;
    double B = 0.0;
};

struct StretchSize {
    std::int64_t FramesIn;
    std::int64_t FramesOut;
    bool Stereo;
};

// Lays windowed source blocks of blockLength frames, taken at a spacing of hop / r frames,
// down at a spacing of hop frames, summing where they overlap. The result's frames go to
// `output` (when given) as soon as no later block can reach them; `progress` hears the
// fraction of the output reached at every block.
ChannelPeaks OverlapAdd(SourceChannels& source, const StretchSize& size, std::int64_t blockLength,
                        std::int64_t hop, const std::function<void(double)>& progress,
                        RestoreChannels* output);

// Resamples the source to FramesOut frames by linear interpolation between neighbouring
// frames, working through pieces of at most 2,097,152 source frames.
ChannelPeaks InterpolateLinear(SourceChannels& source, const StretchSize& size,
                               const std::function<void(double)>& progress,
                               RestoreChannels* output);
