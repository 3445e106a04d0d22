#include "media_file.h"

#include "audio_decoder.h"
#include "chunked_pcm_source.h"
#include "plain_wave_source.h"

#include <algorithm>

namespace {

// Exact positions over a decoder whose seeks land only near the target: seek a little early,
// then decode and drop up to the target. Time zero is where the first decoded frame starts.
class MediaFileSource final : public ChunkedPcmSource {
public:
    explicit MediaFileSource(const std::string& path);

    WaveDeviceFormat Format() const override { return {2, decoder.Rate(), 16}; }
    void Seek(std::int64_t frame) override;

private:
    // Decoded and dropped before a seek target. Every decoder we know gives the same samples as
    // a read from the start after this much; Opus on quiet sound needed more than 400 ms.
    std::int64_t PreRoll() const { return decoder.Rate(); }
    void SeekFromBefore(std::int64_t target);
    bool Land();
    void TakeFrame(std::int64_t framePosition);
    bool Refill() override;
    const std::int16_t* Chunk() const override { return decoder.Samples(); }

    AudioDecoder decoder;
    std::int64_t zero = 0;
};

MediaFileSource::MediaFileSource(const std::string& path) : decoder(path) {
    if (!decoder.Next()) {
        throw EMediaError("Cannot open \"" + path + "\": no sound could be decoded");
    }
    zero = decoder.FrameLabel().value_or(0);
    frames = std::max<std::int64_t>(0, decoder.MeasureEnd() - zero);
    SeekFromBefore(0);
}

void MediaFileSource::Seek(std::int64_t frame) {
    const std::int64_t target = std::clamp<std::int64_t>(frame, 0, frames);
    if (target >= position && target - position <= PreRoll()) {
        Skip(target - position);
    } else {
        SeekFromBefore(target);
    }
}

void MediaFileSource::SeekFromBefore(std::int64_t target) {
    for (std::int64_t preRoll = PreRoll(); target > preRoll; preRoll *= 4) {
        decoder.SeekBefore(zero + target - preRoll);
        if (!Land()) {
            break; // no trustworthy times after the seek: read from the start
        }
        if (position <= target) {
            Skip(target - position);
            return;
        }
        // The seek landed late: go further back.
    }
    decoder.Rewind();
    position = 0;
    pendingCount = 0;
    if (decoder.Next()) {
        TakeFrame(decoder.FrameLabel().value_or(zero) - zero);
    }
    Skip(target - position);
}

// Decodes after a seek until the decoder knows where it is.
bool MediaFileSource::Land() {
    while (decoder.Next()) {
        if (const std::optional<std::int64_t> start = decoder.FramePosition()) {
            TakeFrame(*start - zero);
            return true;
        }
    }
    return false;
}

void MediaFileSource::TakeFrame(std::int64_t framePosition) {
    TakeChunk(framePosition, decoder.SampleCount());
}

bool MediaFileSource::Refill() {
    if (!decoder.Next()) {
        return false;
    }
    pendingIndex = 0;
    pendingCount = decoder.SampleCount();
    return true;
}

} // namespace

std::unique_ptr<PcmSource> OpenMediaFile(const std::string& path) {
    if (std::unique_ptr<PcmSource> wave = OpenPlainWave(path)) {
        return wave;
    }
    return std::make_unique<MediaFileSource>(path);
}

bool OpensThroughFfmpeg(const std::string& path) {
    return OpenPlainWave(path) == nullptr;
}
