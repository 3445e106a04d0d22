#include "stretch_stream.h"

#include <algorithm>
#include <cmath>
#include <rubberband/RubberBandStretcher.h>

namespace {

using RubberBand::RubberBandStretcher;

// Frames per process and retrieve call.
constexpr std::int32_t Block = 2048;

RubberBandStretcher::Options OptionsFor(TStretchEngine engine) {
    RubberBandStretcher::Options options = RubberBandStretcher::OptionProcessRealTime |
                                           RubberBandStretcher::OptionEngineFiner |
                                           RubberBandStretcher::OptionThreadingNever;
    if (engine == TStretchEngine::Short) {
        options |= RubberBandStretcher::OptionWindowShort;
    }
    return options;
}

} // namespace

TStretchStream::TStretchStream(TSourceReader& reader, std::int64_t start,
                               const TPlaybackTempo& tempo, std::int32_t preroll)
    : TRenderStream(reader, start),
      stretcher(std::make_unique<RubberBandStretcher>(
          static_cast<std::size_t>(reader.Rate()), static_cast<std::size_t>(reader.Channels()),
          OptionsFor(tempo.Engine), 1.0 / tempo.Speed, std::exp2(tempo.Cents / 1200.0))),
      interleaved(static_cast<std::size_t>(Block * reader.Channels())),
      planes(static_cast<std::size_t>(reader.Channels()), std::vector<float>(Block)) {
    stretcher->setMaxProcessSize(Block);
    for (auto& plane : planes) {
        pointers.push_back(plane.data());
    }
    cursor = start - static_cast<std::int64_t>(stretcher->getPreferredStartPad());
    const auto delay = static_cast<std::int64_t>(stretcher->getStartDelay());
    skip = delay - std::min<std::int64_t>(preroll, delay);
    silence = static_cast<std::int32_t>(preroll - std::min<std::int64_t>(preroll, delay));
}

TStretchStream::~TStretchStream() = default;

void TStretchStream::Read(std::int16_t* data, std::int32_t frames) {
    const std::int32_t channels = reader.Channels();
    while (frames > 0) {
        if (silence > 0) {
            const std::int32_t n = std::min(silence, frames);
            std::fill_n(data, n * channels, std::int16_t{0});
            data += n * channels;
            frames -= n;
            silence -= n;
            continue;
        }
        const int available = stretcher->available();
        if (available <= 0) {
            Feed();
            continue;
        }
        const auto wanted =
            skip > 0 ? std::min<std::int64_t>(skip, Block) : std::min(frames, Block);
        const auto n = static_cast<std::int32_t>(std::min<std::int64_t>(available, wanted));
        stretcher->retrieve(pointers.data(), static_cast<std::size_t>(n));
        if (skip > 0) {
            skip -= n;
            continue;
        }
        for (std::int32_t frame = 0; frame < n; ++frame) {
            for (std::int32_t channel = 0; channel < channels; ++channel) {
                const float value = std::nearbyint(planes[channel][frame] * 32768.0f);
                data[frame * channels + channel] =
                    static_cast<std::int16_t>(std::clamp(value, -32768.0f, 32767.0f));
            }
        }
        data += n * channels;
        frames -= n;
    }
}

void TStretchStream::Feed() {
    const std::int32_t channels = reader.Channels();
    const auto required = static_cast<std::int32_t>(stretcher->getSamplesRequired());
    const std::int32_t n = required > 0 ? std::min(required, Block) : Block;
    ReadSource(cursor, interleaved.data(), n);
    cursor += n;
    for (std::int32_t frame = 0; frame < n; ++frame) {
        for (std::int32_t channel = 0; channel < channels; ++channel) {
            planes[channel][frame] = interleaved[frame * channels + channel] / 32768.0f;
        }
    }
    stretcher->process(pointers.data(), static_cast<std::size_t>(n), false);
}
