#pragma once

#include <array>
#include <cstdint>

// The sample-format record of a WAVE file, laid out as 18 little-endian bytes.
struct PcmWaveFormat {
    static constexpr std::uint16_t PcmTag = 1;
    static constexpr int SerializedSize = 18;

    std::uint16_t formatTag = PcmTag;
    std::uint16_t channels = 2;
    std::uint32_t samplesPerSec = 44100;
    std::uint32_t avgBytesPerSec = 176400;
    std::uint16_t blockAlign = 4;
    std::uint16_t bitsPerSample = 16;
    std::uint16_t extraSize = 0;

    bool operator==(const PcmWaveFormat&) const = default;

    std::array<std::uint8_t, SerializedSize> Serialize() const;
    // Reads the first `size` bytes (at most 18); the fields not covered stay 0.
    static PcmWaveFormat Deserialize(const std::uint8_t* bytes, int size);
};

// A PCM format with its derived fields filled in.
PcmWaveFormat MakePcmWaveFormat(int channels, int samplesPerSec, int bitsPerSample);
