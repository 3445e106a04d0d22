#include "resampler.h"

#include "platform/pcm_source.h"

namespace {

constexpr int outChannels = 2;

void Check(int result, const char* what) {
    if (result < 0) {
        throw EMediaError(std::string("Cannot convert the sound (") + what +
                          "): " + FfmpegReason(result));
    }
}

} // namespace

void Resampler::Configure(const AVChannelLayout& layout, AVSampleFormat format, int rate,
                          int newOutRate) {
    AVChannelLayout known{};
    if (layout.order == AV_CHANNEL_ORDER_UNSPEC) {
        Ffmpeg().av_channel_layout_default(&known, layout.nb_channels);
    } else {
        Check(Ffmpeg().av_channel_layout_copy(&known, &layout), "channel layout");
    }
    if (context && Ffmpeg().av_channel_layout_compare(&known, &inLayout) == 0 &&
        format == inFormat && rate == inRate && newOutRate == outRate) {
        Ffmpeg().av_channel_layout_uninit(&known);
        return;
    }
    Ffmpeg().av_channel_layout_uninit(&inLayout);
    inLayout = known;
    inFormat = format;
    inRate = rate;
    outRate = newOutRate;
    Open();
}

void Resampler::Open() {
    SwrContext* raw = nullptr;
    AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
    Check(Ffmpeg().swr_alloc_set_opts2(&raw, &stereo, AV_SAMPLE_FMT_S16, outRate, &inLayout,
                                       inFormat, inRate, 0, nullptr),
          "options");
    context.reset(raw);
    if (inLayout.nb_channels == 1) {
        // libswresample's own mono mix lowers the level by 3 dB.
        const double bothChannels[outChannels] = {1.0, 1.0};
        Check(Ffmpeg().swr_set_matrix(raw, bothChannels, 1), "channel matrix");
    }
    Check(Ffmpeg().swr_init(raw), "set-up");
}

int Resampler::Convert(const std::uint8_t** input, int count) {
    const int room = Ffmpeg().swr_get_out_samples(context.get(), count);
    Check(room, "size");
    if (output.size() < static_cast<std::size_t>(room) * outChannels) {
        output.resize(static_cast<std::size_t>(room) * outChannels);
    }
    auto* out = reinterpret_cast<std::uint8_t*>(output.data());
    const int done = Ffmpeg().swr_convert(context.get(), &out, room, input, count);
    Check(done, "conversion");
    return done;
}

void Resampler::Reset() {
    if (context) {
        Open();
    }
}
