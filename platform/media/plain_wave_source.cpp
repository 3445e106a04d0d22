#include "plain_wave_source.h"

#include "platform/file_stream.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr int FrameBytes = 4; // 16-bit stereo

std::uint32_t U32(const std::uint8_t* bytes) {
    return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) |
           (static_cast<std::uint32_t>(bytes[3]) << 24);
}

std::uint16_t U16(const std::uint8_t* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

bool Is(const std::uint8_t* bytes, const char* id) {
    return std::memcmp(bytes, id, 4) == 0;
}

class PlainWaveSource final : public PcmSource {
public:
    PlainWaveSource(std::unique_ptr<FileStream> file, std::int32_t rate, std::int64_t start,
                    std::int64_t frames)
        : file(std::move(file)), rate(rate), start(start), frames(frames) {
        this->file->SetPosition(start);
    }

    WaveDeviceFormat Format() const override { return {2, rate, 16}; }
    std::int64_t Frames() const override { return frames; }
    void Seek(std::int64_t frame) override {
        position = std::clamp<std::int64_t>(frame, 0, frames);
        file->SetPosition(start + position * FrameBytes);
    }
    std::int32_t Read(std::uint8_t* data, std::int32_t count) override {
        const auto wanted =
            static_cast<std::int32_t>(std::min<std::int64_t>(count, frames - position));
        if (wanted <= 0) {
            return 0;
        }
        const auto read = static_cast<std::int32_t>(
            file->Read(data, std::int64_t{wanted} * FrameBytes) / FrameBytes);
        position += read;
        return read;
    }

private:
    std::unique_ptr<FileStream> file;
    std::int32_t rate;
    std::int64_t start;
    std::int64_t frames;
    std::int64_t position = 0;
};

} // namespace

std::unique_ptr<PcmSource> OpenPlainWave(const std::string& path) {
    std::unique_ptr<FileStream> file;
    try {
        file = std::make_unique<FileStream>(path, FileStream::Mode::ReadShared);
    } catch (const EFileStreamError&) {
        return nullptr;
    }
    const std::int64_t size = file->Size();
    std::array<std::uint8_t, 16> bytes{};
    if (file->Read(bytes.data(), 12) != 12 || !Is(&bytes[0], "RIFF") || !Is(&bytes[8], "WAVE")) {
        return nullptr;
    }
    std::int32_t rate = 0;
    for (std::int64_t at = 12; at + 8 <= size;) {
        file->SetPosition(at);
        if (file->Read(bytes.data(), 8) != 8) {
            return nullptr;
        }
        const std::int64_t length = U32(&bytes[4]);
        const std::int64_t body = at + 8;
        if (Is(&bytes[0], "fmt ")) {
            if (length < 16 || file->Read(bytes.data(), 16) != 16) {
                return nullptr;
            }
            const std::uint32_t samplesPerSecond = U32(&bytes[4]);
            // PCM, two channels, 16 bits, and the byte rate and block size that go with them.
            if (U16(&bytes[0]) != 1 || U16(&bytes[2]) != 2 || U16(&bytes[14]) != 16 ||
                U16(&bytes[12]) != FrameBytes || samplesPerSecond == 0 ||
                samplesPerSecond > 1000000 || U32(&bytes[8]) != samplesPerSecond * FrameBytes) {
                return nullptr;
            }
            rate = static_cast<std::int32_t>(samplesPerSecond);
        } else if (Is(&bytes[0], "data")) {
            // Whole frames that all lie in the file; FFmpeg reads the rest.
            if (rate == 0 || length == 0 || length % FrameBytes != 0 || body + length > size) {
                return nullptr;
            }
            return std::make_unique<PlainWaveSource>(std::move(file), rate, body,
                                                     length / FrameBytes);
        }
        // Readers differ on the pad byte after a chunk of odd length: FFmpeg decides.
        if (length % 2 != 0) {
            return nullptr;
        }
        at = body + length;
    }
    return nullptr;
}
