#pragma once

#include "platform/pcm_source.h"

#include <cstdint>

// A 16-bit stereo source that produces its sound a chunk at a time (a decoded frame, a
// resampled block) and hands it out, or skips it, in whatever pieces the reader asks for.
class ChunkedPcmSource : public PcmSource {
public:
    std::int64_t Frames() const override { return frames; }
    std::int32_t Read(std::uint8_t* data, std::int32_t count) override;

protected:
    // Makes the next chunk current; false at the end of the sound.
    virtual bool Refill() = 0;
    // The current chunk's interleaved samples.
    virtual const std::int16_t* Chunk() const = 0;

    // A new current chunk of `count` frames that starts at frame `start`.
    void TakeChunk(std::int64_t start, int count);
    void Skip(std::int64_t count);

    std::int64_t frames = 0;
    std::int64_t position = 0; // of the next frame handed out
    int pendingIndex = 0;      // the current chunk's frames not yet handed out
    int pendingCount = 0;
};
