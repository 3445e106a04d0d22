#include "pcm_wave_format.h"

#include "little_endian.h"

#include <algorithm>

std::array<std::uint8_t, PcmWaveFormat::SerializedSize> PcmWaveFormat::Serialize() const {
    std::array<std::uint8_t, SerializedSize> bytes{};
    PutU16(bytes.data() + 0, formatTag);
    PutU16(bytes.data() + 2, channels);
    PutU32(bytes.data() + 4, samplesPerSec);
    PutU32(bytes.data() + 8, avgBytesPerSec);
    PutU16(bytes.data() + 12, blockAlign);
    PutU16(bytes.data() + 14, bitsPerSample);
    PutU16(bytes.data() + 16, extraSize);
    return bytes;
}

PcmWaveFormat PcmWaveFormat::Deserialize(const std::uint8_t* bytes, int size) {
    std::array<std::uint8_t, SerializedSize> padded{};
    std::copy_n(bytes, std::clamp(size, 0, SerializedSize), padded.begin());
    const std::uint8_t* p = padded.data();
    PcmWaveFormat format;
    format.formatTag = GetU16(p + 0);
    format.channels = GetU16(p + 2);
    format.samplesPerSec = GetU32(p + 4);
    format.avgBytesPerSec = GetU32(p + 8);
    format.blockAlign = GetU16(p + 12);
    format.bitsPerSample = GetU16(p + 14);
    format.extraSize = GetU16(p + 16);
    return format;
}

PcmWaveFormat MakePcmWaveFormat(int channels, int samplesPerSec, int bitsPerSample) {
    PcmWaveFormat format;
    format.formatTag = PcmWaveFormat::PcmTag;
    format.channels = static_cast<std::uint16_t>(channels);
    format.samplesPerSec = static_cast<std::uint32_t>(samplesPerSec);
    format.bitsPerSample = static_cast<std::uint16_t>(bitsPerSample);
    format.blockAlign = static_cast<std::uint16_t>(channels * bitsPerSample / 8);
    format.avgBytesPerSec = format.samplesPerSec * format.blockAlign;
    format.extraSize = 0;
    return format;
}
