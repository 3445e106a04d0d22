#pragma once

#include "platform/wave_device.h"

#include <cstdint>
#include <memory>
#include <vector>

class Resampler;

// Converts a stream of PCM pieces from one device format to another: rate through
// libswresample, then channels (stereo is averaged into mono) and bits (16 to 8 keeps the high
// byte). The filter keeps a few frames of history between pieces.
class PcmConverter {
public:
    PcmConverter(const WaveDeviceFormat& from, const WaveDeviceFormat& to);
    ~PcmConverter();
    PcmConverter(const PcmConverter&) = delete;
    PcmConverter& operator=(const PcmConverter&) = delete;

    // Replaces `out` with the converted bytes of `bytes` bytes of input (whole frames).
    void Convert(const std::uint8_t* data, std::int32_t bytes, std::vector<std::uint8_t>& out);

private:
    WaveDeviceFormat from;
    WaveDeviceFormat to;
    std::unique_ptr<Resampler> resampler;
};
