#pragma once

#include "exception.h"
#include "wave_device.h"

#include <cstdint>

// A song's sound cannot be opened or read; the text names the song and the reason.
class EMediaError : public Exception {
public:
    using Exception::Exception;
};

// Decoded sound read front to back, with seeks that land on the exact frame. The data is
// 16-bit signed little-endian PCM, interleaved, in Format().
class PcmSource {
public:
    virtual ~PcmSource() = default;

    virtual WaveDeviceFormat Format() const = 0;
    // The exact number of frames, not an estimate.
    virtual std::int64_t Frames() const = 0;
    // The next Read starts at this frame; positions past the end read nothing.
    virtual void Seek(std::int64_t frame) = 0;
    // Fills up to `frames` frames and returns how many it gave; 0 only at the end.
    virtual std::int32_t Read(std::uint8_t* data, std::int32_t frames) = 0;
};
