#include "media_file.h"

#include "audio_decoder.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int frameBytes = 4;

// Exact positions over a decoder whose seeks land only near the target: seek a little early,
// then decode and drop up to the target. Time zero is where the first decoded frame starts.
class MediaFileSource final : public PcmSource {
public:
    explicit MediaFileSource(const std::string& path);

    WaveDeviceFormat Format() const override { return {2, decoder.Rate(), 16}; }
    std::int64_t Frames() const override { return frames; }
    void Seek(std::int64_t frame) override;
    std::int32_t Read(std::uint8_t* data, std::int32_t count) override;

private:
    // Decoded and dropped before a seek target. Every decoder we know gives the same samples as
    // a read from the start after this much; Opus on quiet sound needed more than 400 ms.
    std::int64_t PreRoll() const { return decoder.Rate(); }
    void SeekFromBefore(std::int64_t target);
    bool Land();
    void TakeFrame(std::int64_t framePosition);
    void Skip(std::int64_t count);
    bool Refill();

    AudioDecoder decoder;
    std::int64_t zero = 0;
    std::int64_t frames = 0;
    std::int64_t position = 0; // of the next frame handed out
    int pendingIndex = 0;      // the decoded frame's samples not yet handed out
    int pendingCount = 0;
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
    position = framePosition;
    pendingIndex = 0;
    pendingCount = decoder.SampleCount();
}

void MediaFileSource::Skip(std::int64_t count) {
    while (count > 0 && (pendingCount > 0 || Refill())) {
        const int step = static_cast<int>(std::min<std::int64_t>(count, pendingCount));
        pendingIndex += step;
        pendingCount -= step;
        position += step;
        count -= step;
    }
}

bool MediaFileSource::Refill() {
    if (!decoder.Next()) {
        return false;
    }
    pendingIndex = 0;
    pendingCount = decoder.SampleCount();
    return true;
}

std::int32_t MediaFileSource::Read(std::uint8_t* data, std::int32_t count) {
    const std::int64_t wanted = std::min<std::int64_t>(count, frames - position);
    std::int64_t done = 0;
    while (done < wanted && (pendingCount > 0 || Refill())) {
        const int step = static_cast<int>(std::min<std::int64_t>(wanted - done, pendingCount));
        std::memcpy(data + done * frameBytes, decoder.Samples() + pendingIndex * 2,
                    static_cast<std::size_t>(step) * frameBytes);
        pendingIndex += step;
        pendingCount -= step;
        done += step;
    }
    position += done;
    return static_cast<std::int32_t>(done);
}

} // namespace

std::unique_ptr<PcmSource> OpenMediaFile(const std::string& path) {
    return std::make_unique<MediaFileSource>(path);
}
