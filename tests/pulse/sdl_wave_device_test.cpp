// The SDL wave devices against the private PulseAudio of scripts/test.sh: what is played on the
// null sink comes back from its monitor, the default source.

#include "platform/sdl_wave_device.h"
#include "pulse_test.h"
#include "tests/support/gui_wait.h"

#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <numbers>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr int timeoutMs = 10000;
constexpr WaveDeviceFormat cdFormat{2, 44100, 16};

int Frames(const WaveDeviceFormat& format, double seconds) {
    return static_cast<int>(seconds * format.samplesPerSec);
}

std::size_t ByteCount(const WaveDeviceFormat& format, double seconds) {
    return static_cast<std::size_t>(Frames(format, seconds) * format.BlockAlign());
}

// A device with buffers of its own, queued in order, noting the order in which they come back.
class Buffers {
public:
    Buffers(WaveDirection direction, const WaveDeviceFormat& format)
        : device(CreateSdlWaveDevice(direction)) {
        device->Open(format, [this](WaveBuffer& buffer) { Done(buffer); });
    }
    virtual ~Buffers() = default;

    // Queues the bytes in buffers of at most chunk bytes.
    void Queue(const Bytes& bytes, std::size_t chunk) {
        for (std::size_t at = 0; at < bytes.size(); at += chunk) {
            Queue(Bytes(bytes.begin() + at, bytes.begin() + std::min(at + chunk, bytes.size())));
        }
    }

    void Queue(Bytes bytes) {
        auto& stored = storage.emplace_back(std::make_unique<Stored>());
        stored->bytes = std::move(bytes);
        stored->buffer.data = stored->bytes.data();
        stored->buffer.length = static_cast<std::int32_t>(stored->bytes.size());
        stored->buffer.user = reinterpret_cast<void*>(storage.size() - 1);
        device->Queue(stored->buffer);
    }

    const WaveBuffer& Buffer(std::size_t index) const { return storage[index]->buffer; }
    std::size_t Count() const { return storage.size(); }

    std::unique_ptr<WaveDevice> device;
    std::vector<std::size_t> returned;

protected:
    virtual void Done(WaveBuffer& buffer) {
        returned.push_back(reinterpret_cast<std::size_t>(buffer.user));
    }

private:
    struct Stored {
        Bytes bytes;
        WaveBuffer buffer;
    };
    std::vector<std::unique_ptr<Stored>> storage;
};

// Captures from the default source for as long as it lives.
class Recorder : public Buffers {
public:
    explicit Recorder(const WaveDeviceFormat& format) : Buffers(WaveDirection::Input, format) {
        for (int i = 0; i < 3; ++i) {
            Buffers::Queue(Bytes(ByteCount(format, 0.05)));
        }
        device->Start();
    }
    ~Recorder() override { device->Close(); }

    Bytes recorded;

private:
    void Done(WaveBuffer& buffer) override {
        recorded.insert(recorded.end(), buffer.data, buffer.data + buffer.bytesRecorded);
        device->Queue(buffer);
    }
};

// Plays what it is given and closes the device once the last buffer is back and heard, as the
// players do.
class Player : public Buffers {
public:
    explicit Player(const WaveDeviceFormat& format) : Buffers(WaveDirection::Output, format) {}

    bool closed = false;

private:
    void Done(WaveBuffer& buffer) override {
        Buffers::Done(buffer);
        if (returned.size() == Count()) {
            CloseWhenHeard();
        }
    }

    // Closing drops what the server still holds: the end is heard first.
    void CloseWhenHeard() {
        if (device->UnheardBytes() > 0) {
            QTimer::singleShot(5, [this] { CloseWhenHeard(); });
            return;
        }
        device->Close();
        closed = true;
    }
};

Bytes Noise(std::size_t count) {
    std::minstd_rand random(7);
    Bytes noise(count);
    for (std::uint8_t& byte : noise) {
        byte = static_cast<std::uint8_t>(random() >> 8);
    }
    return noise;
}

// A sine of `hertz` at `level` of full scale on every channel.
Bytes Tone(const WaveDeviceFormat& format, double seconds, double hertz, double level) {
    Bytes tone;
    for (int frame = 0; frame < Frames(format, seconds); ++frame) {
        const double x =
            level * std::sin(2 * std::numbers::pi * hertz * frame / format.samplesPerSec);
        for (int channel = 0; channel < format.channels; ++channel) {
            if (format.bitsPerSample == 8) {
                tone.push_back(static_cast<std::uint8_t>(std::lround(128 + 127 * x)));
            } else {
                const auto sample = static_cast<std::uint16_t>(std::lround(32767 * x));
                tone.push_back(static_cast<std::uint8_t>(sample & 0xFF));
                tone.push_back(static_cast<std::uint8_t>(sample >> 8));
            }
        }
    }
    return tone;
}

// The first channel as fractions of full scale.
std::vector<double> FirstChannel(const WaveDeviceFormat& format, const Bytes& bytes) {
    std::vector<double> samples;
    for (std::size_t at = 0; at + format.BlockAlign() <= bytes.size(); at += format.BlockAlign()) {
        if (format.bitsPerSample == 8) {
            samples.push_back((bytes[at] - 128) / 128.0);
        } else {
            std::int16_t sample;
            std::memcpy(&sample, &bytes[at], 2);
            samples.push_back(sample / 32768.0);
        }
    }
    return samples;
}

// Sets an environment variable while it lives.
class ScopedEnvironment {
public:
    ScopedEnvironment(std::string name, const std::string& value) : name(std::move(name)) {
        if (const char* old = std::getenv(this->name.c_str())) {
            previous = old;
        }
        setenv(this->name.c_str(), value.c_str(), 1);
    }
    ~ScopedEnvironment() {
        if (previous) {
            setenv(name.c_str(), previous->c_str(), 1);
        } else {
            unsetenv(name.c_str());
        }
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    std::string name;
    std::optional<std::string> previous;
};

// These need no sound server: SDL fails before reaching one.
TEST(SdlWaveDeviceErrorTest, FailuresCarrySdlsReason) {
    struct Case {
        std::string driver;
        WaveDirection direction;
        std::string prefix;
        std::string reasonMentions;
    };
    const Case cases[] = {
        {"no-such-driver", WaveDirection::Output,
         "Cannot start the sound system: ", "no-such-driver"},
        {"disk", WaveDirection::Input,
         "Cannot open the default input device: ", "/no/such/folder/in.raw"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.driver);
        const ScopedEnvironment driver("SDL_AUDIODRIVER", c.driver);
        const ScopedEnvironment input("SDL_DISKAUDIOFILEIN", "/no/such/folder/in.raw");
        auto device = CreateSdlWaveDevice(c.direction);
        try {
            device->Open(cdFormat, [](WaveBuffer&) {});
            ADD_FAILURE() << "opened";
        } catch (const EWaveDeviceError& error) {
            EXPECT_TRUE(error.Message().starts_with(c.prefix)) << error.Message();
            EXPECT_NE(error.Message().find(c.reasonMentions), std::string::npos) << error.Message();
        }
    }
}

using SdlWaveDeviceTest = PulseTest;

TEST_F(SdlWaveDeviceTest, PlayedSamplesComeBackBitExactToTheLastByte) {
    const Bytes noise = Noise(ByteCount(cdFormat, 1.0));
    Bytes signal(ByteCount(cdFormat, 0.5) + noise.size(), 0);
    std::copy(noise.begin(), noise.end(), signal.end() - static_cast<std::ptrdiff_t>(noise.size()));

    Recorder recorder(cdFormat);
    Player player(cdFormat);
    player.Queue(signal, 16384);
    std::vector<std::int64_t> positions;
    ASSERT_TRUE(WaitOnGuiThread(
        [&] {
            positions.push_back(player.device->BytesProcessed());
            return player.closed;
        },
        timeoutMs));
    // Closing as soon as the last buffer is back lets its end be heard first.
    positions.push_back(player.device->BytesProcessed());
    EXPECT_EQ(positions.back(), static_cast<std::int64_t>(signal.size()));
    EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));

    // The monitor lags the sink by a varying amount, so the noise is found by its first bytes.
    auto onset = recorder.recorded.end();
    ASSERT_TRUE(WaitOnGuiThread(
        [&] {
            onset = std::search(recorder.recorded.begin(), recorder.recorded.end(), noise.begin(),
                                noise.begin() + 64);
            return onset != recorder.recorded.end() &&
                   recorder.recorded.end() - onset >= static_cast<std::ptrdiff_t>(noise.size());
        },
        timeoutMs))
        << "recorded " << recorder.recorded.size() << " bytes without the whole noise";
    EXPECT_TRUE(std::equal(noise.begin(), noise.end(), onset));
    EXPECT_EQ((onset - recorder.recorded.begin()) % cdFormat.BlockAlign(), 0);
}

// Buffers come back only from the event loop, each once, in the order queued.
void ExpectEveryBufferBackInOrderAfterReset(Buffers& buffers) {
    ASSERT_TRUE(WaitOnGuiThread([&] { return buffers.device->BytesProcessed() > 0; }, timeoutMs));
    ASSERT_TRUE(buffers.returned.empty()) << "a buffer finished before the reset";
    buffers.device->Reset();
    EXPECT_TRUE(buffers.returned.empty()) << "a buffer came back inside Reset";
    ASSERT_TRUE(
        WaitOnGuiThread([&] { return buffers.returned.size() == buffers.Count(); }, timeoutMs));
    // A fixed look for what must not happen (a buffer back twice): a busy machine can only make
    // it miss a fault, never fail a sound device.
    WaitOnGuiThread([] { return false; }, 300);
    std::vector<std::size_t> inOrder(buffers.Count());
    for (std::size_t i = 0; i < inOrder.size(); ++i) {
        inOrder[i] = i;
    }
    EXPECT_EQ(buffers.returned, inOrder);
}

TEST_F(SdlWaveDeviceTest, ResetHandsBackEveryQueuedOutputBufferAndStopsPlaying) {
    Buffers player(WaveDirection::Output, cdFormat);
    player.Queue(Noise(ByteCount(cdFormat, 4.0)), ByteCount(cdFormat, 1.0));
    ExpectEveryBufferBackInOrderAfterReset(player);
    const std::int64_t afterReset = player.device->BytesProcessed();
    WaitOnGuiThread([] { return false; }, 300);
    EXPECT_EQ(player.device->BytesProcessed(), afterReset);
    EXPECT_LT(afterReset, static_cast<std::int64_t>(ByteCount(cdFormat, 1.0)));
}

TEST_F(SdlWaveDeviceTest, ResetHandsBackEveryQueuedInputBufferWithWhatItCaptured) {
    Buffers recorder(WaveDirection::Input, cdFormat);
    for (int i = 0; i < 3; ++i) {
        recorder.Queue(Bytes(ByteCount(cdFormat, 1.0)));
    }
    recorder.device->Start();
    ExpectEveryBufferBackInOrderAfterReset(recorder);
    std::int64_t captured = 0;
    for (std::size_t i = 0; i < recorder.Count(); ++i) {
        captured += recorder.Buffer(i).bytesRecorded;
    }
    EXPECT_EQ(captured, recorder.device->BytesProcessed());
    EXPECT_GT(recorder.Buffer(0).bytesRecorded, 0);
    EXPECT_EQ(recorder.Buffer(1).bytesRecorded, 0);
}

class SdlWaveDeviceFormatTest : public SdlWaveDeviceTest,
                                public testing::WithParamInterface<WaveDeviceFormat> {};

// Every format plays and records as it is: a tone played and recorded in the same format comes
// back at its level and pitch.
TEST_P(SdlWaveDeviceFormatTest, ToneComesBackAtItsPitch) {
    const WaveDeviceFormat format = GetParam();
    constexpr double hertz = 441;
    constexpr double level = 0.7;

    Recorder recorder(format);
    Buffers player(WaveDirection::Output, format);
    player.Queue(Tone(format, 0.6, hertz, level), 4096);
    ASSERT_TRUE(
        WaitOnGuiThread([&] { return player.returned.size() == player.Count(); }, timeoutMs));

    const double window = 0.4;
    std::vector<double> samples;
    auto onset = samples.end();
    ASSERT_TRUE(WaitOnGuiThread(
        [&] {
            samples = FirstChannel(format, recorder.recorded);
            onset = std::find_if(samples.begin(), samples.end(),
                                 [&](double x) { return std::abs(x) > level / 2; });
            return samples.end() - onset > Frames(format, 0.05 + window);
        },
        timeoutMs));
    const auto begin = onset + Frames(format, 0.05);
    const auto end = begin + Frames(format, window);
    int crossings = 0;
    for (auto it = begin + 1; it != end; ++it) {
        crossings += (*(it - 1) < 0) != (*it < 0) ? 1 : 0;
    }
    EXPECT_NEAR(crossings, 2 * hertz * window, 2 * hertz * window * 0.05);
    const double peak = std::abs(*std::max_element(
        begin, end, [](double a, double b) { return std::abs(a) < std::abs(b); }));
    EXPECT_NEAR(peak, level, 0.1);
}

std::vector<WaveDeviceFormat> EveryPcmFormat() {
    std::vector<WaveDeviceFormat> formats;
    for (const int channels : {1, 2}) {
        for (const int rate : {11025, 22050, 44100}) {
            for (const int bits : {8, 16}) {
                formats.push_back({channels, rate, bits});
            }
        }
    }
    return formats;
}

INSTANTIATE_TEST_SUITE_P(EveryPcmFormat, SdlWaveDeviceFormatTest,
                         testing::ValuesIn(EveryPcmFormat()),
                         [](const testing::TestParamInfo<WaveDeviceFormat>& info) {
                             return std::to_string(info.param.samplesPerSec) + "Hz" +
                                    std::to_string(info.param.bitsPerSample) + "bit" +
                                    std::to_string(info.param.channels) + "ch";
                         });

} // namespace
