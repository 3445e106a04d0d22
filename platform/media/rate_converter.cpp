#include "rate_converter.h"

#include "chunked_pcm_source.h"
#include "resampler.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace {

constexpr int frameBytes = 4;
constexpr int chunkFrames = 4096;
// Input frames fed ahead of a seek target so that the filter has its full history there.
constexpr std::int64_t filterPreRoll = 1024;

class RateConverter final : public ChunkedPcmSource {
public:
    RateConverter(std::unique_ptr<PcmSource> source, int outRate);

    WaveDeviceFormat Format() const override { return {2, outRate, 16}; }
    void Seek(std::int64_t frame) override;

private:
    bool Refill() override;
    const std::int16_t* Chunk() const override { return resampler.Output(); }

    std::unique_ptr<PcmSource> source;
    int inRate;
    int outRate;
    // Input and output frames of one period of the rate ratio: the filter's phase repeats there.
    std::int64_t inPeriod;
    std::int64_t outPeriod;
    Resampler resampler;
    std::vector<std::uint8_t> input;
    bool drained = false;
};

RateConverter::RateConverter(std::unique_ptr<PcmSource> source, int outRate)
    : source(std::move(source)), inRate(this->source->Format().samplesPerSec), outRate(outRate),
      inPeriod(inRate / std::gcd(inRate, outRate)), outPeriod(outRate / std::gcd(inRate, outRate)),
      input(static_cast<std::size_t>(chunkFrames) * frameBytes) {
    frames = Ffmpeg().av_rescale_rnd(this->source->Frames(), outRate, inRate, AV_ROUND_NEAR_INF);
    const AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
    resampler.Configure(stereo, AV_SAMPLE_FMT_S16, inRate, outRate);
    Seek(0);
}

void RateConverter::Seek(std::int64_t frame) {
    const std::int64_t target = std::clamp<std::int64_t>(frame, 0, frames);
    // Start on a period boundary, so that the output frames fall where a read from the start
    // puts them.
    const std::int64_t wantedInput = target * inRate / outRate - filterPreRoll;
    const std::int64_t period = std::max<std::int64_t>(0, wantedInput / inPeriod);
    source->Seek(period * inPeriod);
    resampler.Reset();
    drained = false;
    position = period * outPeriod;
    pendingCount = 0;
    Skip(target - position);
}

bool RateConverter::Refill() {
    while (!drained) {
        const std::int32_t got = source->Read(input.data(), chunkFrames);
        const std::uint8_t* planes[] = {input.data()};
        pendingIndex = 0;
        pendingCount = got > 0 ? resampler.Convert(planes, got) : resampler.Convert(nullptr, 0);
        drained = got == 0;
        if (pendingCount > 0) {
            return true;
        }
    }
    return false;
}

} // namespace

std::unique_ptr<PcmSource> ConvertRate(std::unique_ptr<PcmSource> source, int samplesPerSec) {
    if (source->Format().samplesPerSec == samplesPerSec) {
        return source;
    }
    return std::make_unique<RateConverter>(std::move(source), samplesPerSec);
}
