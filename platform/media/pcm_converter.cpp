#include "pcm_converter.h"

#include "resampler.h"

PcmConverter::PcmConverter(const WaveDeviceFormat& from, const WaveDeviceFormat& to)
    : from(from), to(to), resampler(std::make_unique<Resampler>()) {
    AVChannelLayout layout{};
    Ffmpeg().av_channel_layout_default(&layout, from.channels);
    resampler->Configure(layout, from.bitsPerSample == 8 ? AV_SAMPLE_FMT_U8 : AV_SAMPLE_FMT_S16,
                         from.samplesPerSec, to.samplesPerSec);
    Ffmpeg().av_channel_layout_uninit(&layout);
}

PcmConverter::~PcmConverter() = default;

void PcmConverter::Convert(const std::uint8_t* data, std::int32_t bytes,
                           std::vector<std::uint8_t>& out) {
    const int frames = resampler->Convert(&data, bytes / from.BlockAlign());
    const std::int16_t* stereo = resampler->Output();
    out.resize(static_cast<std::size_t>(frames) * static_cast<std::size_t>(to.BlockAlign()));
    std::uint8_t* target = out.data();
    for (int frame = 0; frame < frames; ++frame) {
        const int left = stereo[2 * frame];
        const int right = stereo[2 * frame + 1];
        const int samples[2] = {to.channels == 1 ? (left + right) >> 1 : left, right};
        for (int channel = 0; channel < to.channels; ++channel) {
            const int sample = samples[channel];
            if (to.bitsPerSample == 8) {
                *target++ = static_cast<std::uint8_t>((sample >> 8) + 128);
            } else {
                *target++ = static_cast<std::uint8_t>(sample & 0xFF);
                *target++ = static_cast<std::uint8_t>((sample >> 8) & 0xFF);
            }
        }
    }
}
