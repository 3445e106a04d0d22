#include "wave_fixture.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace {

void AppendU32(Bytes& bytes, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        bytes.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

void AppendId(Bytes& bytes, const std::string& id) {
    bytes.insert(bytes.end(), id.begin(), id.end());
}

} // namespace

WaveFixture::WaveFixture() {
    AppendId(bytes, "RIFF");
    AppendU32(bytes, 0);
    AppendId(bytes, "WAVE");
}

WaveFixture& WaveFixture::Chunk(const std::string& id, const Bytes& body) {
    ChunkHeader(id, static_cast<std::uint32_t>(body.size()));
    return Raw(body);
}

WaveFixture& WaveFixture::ChunkHeader(const std::string& id, std::uint32_t declaredLength) {
    AppendId(bytes, id);
    AppendU32(bytes, declaredLength);
    return *this;
}

WaveFixture& WaveFixture::Raw(const Bytes& more) {
    bytes.insert(bytes.end(), more.begin(), more.end());
    return *this;
}

WaveFixture& WaveFixture::Format(const PcmWaveFormat& format, int chunkLength) {
    const auto serialized = format.Serialize();
    Bytes body(serialized.begin(), serialized.begin() + std::min<int>(chunkLength, 18));
    body.resize(static_cast<std::size_t>(chunkLength), 0xEE);
    return Chunk("fmt ", body);
}

Bytes WaveFixture::Build() const {
    Bytes out = bytes;
    const auto riffLength = static_cast<std::uint32_t>(out.size() - 8);
    for (int i = 0; i < 4; ++i) {
        out[4 + i] = static_cast<std::uint8_t>(riffLength >> (8 * i));
    }
    return out;
}

void WaveFixture::WriteTo(const std::string& path) const {
    WriteFile(path, Build());
}

Bytes ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path);
    }
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
}

std::uint32_t U32At(const Bytes& bytes, std::size_t offset) {
    return bytes.at(offset) | bytes.at(offset + 1) << 8 | bytes.at(offset + 2) << 16 |
           static_cast<std::uint32_t>(bytes.at(offset + 3)) << 24;
}

void WriteWave(const std::string& path, const PcmWaveFormat& format, const Bytes& data) {
    WaveFixture().Format(format).Chunk("data", data).WriteTo(path);
}

Bytes Pattern(std::size_t count, unsigned seed) {
    Bytes bytes(count);
    std::uint32_t state = seed * 2654435761u + 1;
    for (auto& byte : bytes) {
        state = state * 1664525u + 1013904223u;
        byte = static_cast<std::uint8_t>(state >> 24);
    }
    return bytes;
}

void AppendPcmSample(Bytes& data, double value, int bits) {
    if (bits == 16) {
        const auto sample =
            static_cast<std::int16_t>(std::clamp(std::lround(value * 32767.0), -32768L, 32767L));
        data.push_back(static_cast<std::uint8_t>(sample & 0xFF));
        data.push_back(static_cast<std::uint8_t>((sample >> 8) & 0xFF));
    } else {
        data.push_back(
            static_cast<std::uint8_t>(std::clamp(std::lround(value * 127.0) + 128, 0L, 255L)));
    }
}

double PcmSampleAt(const Bytes& data, std::size_t index, int bits) {
    if (bits == 16) {
        return static_cast<std::int16_t>(data[2 * index] | data[2 * index + 1] << 8) / 32767.0;
    }
    return (data[index] - 128) / 127.0;
}
