#pragma once

#include "ffmpeg_handles.h"

#include <cstdint>
#include <vector>

// Converts any PCM that FFmpeg decodes into 16-bit signed interleaved stereo at one rate. Mono
// is copied into both channels at full level; more channels are mixed down by libswresample.
class Resampler {
public:
    Resampler() = default;
    ~Resampler() { Ffmpeg().av_channel_layout_uninit(&inLayout); }
    Resampler(const Resampler&) = delete;
    Resampler& operator=(const Resampler&) = delete;

    // Prepares for this input and output rate; does nothing when they are already in use.
    void Configure(const AVChannelLayout& layout, AVSampleFormat format, int rate, int outRate);
    // Converts `count` input frames (null input and 0 drain what the filter still holds) and
    // returns how many output frames Output() now holds.
    int Convert(const std::uint8_t** input, int count);
    const std::int16_t* Output() const { return output.data(); }
    // Forgets the filter's history, as after a seek.
    void Reset();

private:
    void Open();

    SwrContextPtr context;
    AVChannelLayout inLayout{};
    AVSampleFormat inFormat = AV_SAMPLE_FMT_NONE;
    int inRate = 0;
    int outRate = 0;
    std::vector<std::int16_t> output;
};
