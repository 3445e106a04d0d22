#pragma once

#include "platform/pcm_source.h"

#include <cstdint>
#include <functional>
#include <vector>

// Source frames handed on, 16-bit interleaved in the song's format.
using TSourceTake = std::function<void(const std::int16_t* data, std::int32_t frames)>;

// Reads a song's frames at any position, seeking only when the position moved; silence before
// and after the song.
class TSourceReader {
public:
    explicit TSourceReader(PcmSource& source);

    std::int32_t Channels() const { return format.channels; }
    std::int32_t Rate() const { return format.samplesPerSec; }
    std::int64_t Frames() const { return frames; }
    void Read(std::int64_t frame, std::int16_t* data, std::int32_t count);

private:
    PcmSource& source;
    WaveDeviceFormat format;
    std::int64_t frames;
    std::int64_t position = -1;
};

// The sound of the song from a start frame on, at one tempo, output frame by output frame. Its
// first `preroll` frames are the sound just before the start, for fading in over a join. It
// keeps the source frames it passed from the start on until they are taken.
class TRenderStream {
public:
    virtual ~TRenderStream() = default;
    virtual void Read(std::int16_t* data, std::int32_t frames) = 0;
    // Hands on up to `frames` kept source frames in order; returns how many it gave.
    std::int64_t TakeSource(std::int64_t frames, const TSourceTake& take);

protected:
    TRenderStream(TSourceReader& reader, std::int64_t start);
    // Reads `count` frames at `frame`, keeping those from the start on.
    void ReadSource(std::int64_t frame, std::int16_t* data, std::int32_t count);

    TSourceReader& reader;
    const std::int64_t start;

private:
    std::vector<std::int16_t> kept;
    std::size_t keptFrom = 0;
};

// The song as it is, byte for byte.
class TDirectStream : public TRenderStream {
public:
    TDirectStream(TSourceReader& reader, std::int64_t start, std::int32_t preroll);
    void Read(std::int16_t* data, std::int32_t frames) override;

private:
    std::int64_t cursor;
};
