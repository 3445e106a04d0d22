#pragma once

#include "audio/pcm_wave_format.h"

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// Builds RIFF/WAVE files byte by byte, so a test can lay out exactly the chunks it needs.
class WaveFixture {
public:
    // "RIFF", a length patched by Build(), "WAVE".
    WaveFixture();

    WaveFixture& Chunk(const std::string& id, const Bytes& body);
    // A chunk header whose length field says `declaredLength` whatever follows.
    WaveFixture& ChunkHeader(const std::string& id, std::uint32_t declaredLength);
    WaveFixture& Raw(const Bytes& bytes);
    WaveFixture& Format(const PcmWaveFormat& format, int chunkLength = 16);

    Bytes Build() const;
    void WriteTo(const std::string& path) const;

private:
    Bytes bytes;
};

Bytes ReadFile(const std::string& path);
void WriteFile(const std::string& path, const Bytes& bytes);
std::uint32_t U32At(const Bytes& bytes, std::size_t offset);
// Writes a complete PCM WAVE file holding `data`.
void WriteWave(const std::string& path, const PcmWaveFormat& format, const Bytes& data);
// `count` bytes of a pattern that differs from byte to byte.
Bytes Pattern(std::size_t count, unsigned seed = 1);
// A sample normalised to full scale (32767 or 127), rounded and clipped, as 16-bit signed or
// 8-bit unsigned PCM.
void AppendPcmSample(Bytes& data, double value, int bits);
// Sample `index` (counting every channel's samples) of PCM data, normalised to full scale.
double PcmSampleAt(const Bytes& data, std::size_t index, int bits);
