#include "sdl_wave_device.h"

#include "gui_mailbox.h"

#include <SDL.h>
#include <algorithm>
#include <array>
#include <chrono>
#include <cstring>
#include <deque>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

// SDL's PulseAudio backend asks for the next period once the server has room for a whole one,
// so part of the previous period has already been heard when the callback runs. Bytes a callback
// takes are heard about five eighths of a period after it ran: measured with bench/output_latency
// on PulseAudio 16's null sink with 1024-frame periods, 14 ms of 23 ms at 44100 Hz, 35 of 46 ms
// at 22050 Hz and 58 of 93 ms at 11025 Hz. A real sink adds its own few milliseconds, which the
// position then shows as a slight lead.
constexpr int HeardAfterEighthsOfAPeriod = 5;

// Longer than the latency estimate plus a period at every rate.

// Shorter periods make PulseAudio's SDL backend underrun on a loaded machine; 1024 frames are
// 23 ms at 44100 Hz and 93 ms at 11025 Hz.
constexpr int PeriodFrames = 1024;

// Holds SDL's lock of one device, which the callback always runs under.
class DeviceLock {
public:
    explicit DeviceLock(SDL_AudioDeviceID device) : device(device) { SDL_LockAudioDevice(device); }
    ~DeviceLock() { SDL_UnlockAudioDevice(device); }
    DeviceLock(const DeviceLock&) = delete;
    DeviceLock& operator=(const DeviceLock&) = delete;

private:
    SDL_AudioDeviceID device;
};

// The output position the listener hears. SDL2 cannot say how much of what its callback took is
// still waiting in the server, so each callback is stamped with the time it ran and where it
// stood in the stream, silence included. Between callbacks the stream moves at the byte rate,
// and what is heard trails it by the fixed estimate above. The heard stream position is mapped
// back to data bytes through the recent callbacks, so silence played on underruns does not count
// and the position reaches the end of the data once its last byte has been heard.
class HeardPosition {
public:
    void Start(const WaveDeviceFormat& format, int periodBytes) {
        *this = HeardPosition{};
        blockAlign = format.BlockAlign();
        bytesPerSecond = format.BytesPerSecond();
        latencyBytes = periodBytes * HeardAfterEighthsOfAPeriod / 8;
    }

    // From the callback: dataBytes of data, then silence up to streamBytes.
    void Callback(Clock::time_point now, std::int64_t dataBefore, int dataBytes, int streamBytes) {
        const std::int64_t stream = count == 0 ? 0 : Newest().stream + Newest().streamBytes;
        next = (next + 1) % stamps.size();
        stamps[next] = {now, stream, dataBefore, dataBytes, streamBytes};
        count = std::min(count + 1, stamps.size());
    }

    std::int64_t At(Clock::time_point now) {
        if (count == 0) {
            return reported;
        }
        const Stamp& newest = Newest();
        const auto elapsed =
            std::chrono::duration_cast<std::chrono::microseconds>(now - newest.time).count();
        const std::int64_t heard =
            newest.stream +
            std::min<std::int64_t>(elapsed * bytesPerSecond / 1'000'000, newest.streamBytes) -
            latencyBytes;
        // Older than every stamp kept means the start of the oldest one: a lower bound.
        const Stamp* at = &stamps[(next + stamps.size() - count + 1) % stamps.size()];
        for (std::size_t i = 0; i < count; ++i) {
            const Stamp& stamp = stamps[(next + stamps.size() - i) % stamps.size()];
            if (stamp.stream <= heard) {
                at = &stamp;
                break;
            }
        }
        std::int64_t data =
            at->data + std::clamp<std::int64_t>(heard - at->stream, 0, at->dataBytes);
        data -= data % blockAlign;
        reported = std::max(reported, data);
        return reported;
    }

    std::int64_t Reported() const { return reported; }

private:
    struct Stamp {
        Clock::time_point time;
        std::int64_t stream = 0;
        std::int64_t data = 0;
        int dataBytes = 0;
        int streamBytes = 0;
    };

    const Stamp& Newest() const { return stamps[next]; }

    // Enough periods to cover the latency at every rate.
    std::array<Stamp, 16> stamps{};
    std::size_t next = 0;
    std::size_t count = 0;
    int blockAlign = 1;
    int bytesPerSecond = 1;
    std::int64_t latencyBytes = 0;
    std::int64_t reported = 0;
};

class SdlWaveDevice final : public WaveDevice {
public:
    explicit SdlWaveDevice(WaveDirection direction) : direction(direction) {}

    ~SdlWaveDevice() override {
        Close();
        if (subsystemStarted) {
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
        }
    }

    SdlWaveDevice(const SdlWaveDevice&) = delete;
    SdlWaveDevice& operator=(const SdlWaveDevice&) = delete;

    void Open(const WaveDeviceFormat& format, BufferDone newDone) override {
        if (device != 0) {
            throw EWaveDeviceError("The sound device is already open.");
        }
        if (format.bitsPerSample != 8 && format.bitsPerSample != 16) {
            throw EWaveDeviceError("The sound device takes 8-bit or 16-bit samples only.");
        }
        StartSubsystem();

        SDL_AudioSpec wanted{};
        wanted.freq = format.samplesPerSec;
        wanted.format = format.bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB;
        wanted.channels = static_cast<Uint8>(format.channels);
        wanted.samples = PeriodFrames;
        wanted.callback = &SdlWaveDevice::OnCallback;
        wanted.userdata = this;

        // The callback cannot run before the device is unpaused, so this needs no lock.
        done = std::move(newDone);
        queue.clear();
        consumedOfFront = 0;
        processed = 0;
        heard.Start(format, wanted.samples * format.BlockAlign());

        SDL_AudioSpec obtained{};
        // No changes allowed: SDL and the server convert, so every format opens as asked.
        device = SDL_OpenAudioDevice(nullptr, IsInput() ? 1 : 0, &wanted, &obtained, 0);
        if (device == 0) {
            throw EWaveDeviceError(std::string(IsInput()
                                                   ? "Cannot open the default input device: "
                                                   : "Cannot open the default output device: ") +
                                   SDL_GetError());
        }
        silence = obtained.silence;
        if (!IsInput()) {
            SDL_PauseAudioDevice(device, 0);
        }
    }

    void Queue(WaveBuffer& buffer) override {
        if (device == 0) {
            throw EWaveDeviceError("The sound device is not open.");
        }
        buffer.bytesRecorded = 0;
        const DeviceLock lock(device);
        queue.push_back(&buffer);
    }

    void Start() override {
        if (device != 0) {
            SDL_PauseAudioDevice(device, 0);
        }
    }

    void Reset() override {
        if (device == 0) {
            return;
        }
        if (IsInput()) {
            SDL_PauseAudioDevice(device, 1);
        }
        std::deque<WaveBuffer*> taken;
        {
            const DeviceLock lock(device);
            taken.swap(queue);
            consumedOfFront = 0;
        }
        for (WaveBuffer* buffer : taken) {
            HandBack(*buffer);
        }
    }

    void Close() override {
        if (device == 0) {
            return;
        }
        // Waits for a running callback; none runs afterwards. What the server still holds is
        // dropped: whoever wants the end heard closes once UnheardBytes() is 0.
        SDL_CloseAudioDevice(device);
        device = 0;
        queue.clear();
        consumedOfFront = 0;
    }

    std::int64_t BytesProcessed() const override {
        if (device == 0) {
            return IsInput() ? processed : heard.Reported();
        }
        const DeviceLock lock(device);
        return IsInput() ? processed : heard.At(Clock::now());
    }

    std::int64_t UnheardBytes() const override {
        if (device == 0 || IsInput()) {
            return 0;
        }
        const DeviceLock lock(device);
        return std::max<std::int64_t>(processed - heard.At(Clock::now()), 0);
    }

private:
    bool IsInput() const { return direction == WaveDirection::Input; }

    void StartSubsystem() {
        if (subsystemStarted) {
            return;
        }
        // SDL would otherwise take over SIGINT and SIGTERM, which belong to the application.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            throw EWaveDeviceError(std::string("Cannot start the sound system: ") + SDL_GetError());
        }
        subsystemStarted = true;
    }

    // On SDL's audio thread, under the device lock.
    static void SDLCALL OnCallback(void* self, Uint8* stream, int length) {
        auto& device = *static_cast<SdlWaveDevice*>(self);
        if (device.IsInput()) {
            device.Capture(stream, length);
        } else {
            device.Play(stream, length);
        }
    }

    void Play(Uint8* stream, int length) {
        const std::int64_t before = processed;
        int filled = 0;
        while (filled < length && !queue.empty()) {
            WaveBuffer& buffer = *queue.front();
            const int n = std::min(length - filled, buffer.length - consumedOfFront);
            std::memcpy(stream + filled, buffer.data + consumedOfFront, static_cast<size_t>(n));
            filled += n;
            consumedOfFront += n;
            if (consumedOfFront == buffer.length) {
                queue.pop_front();
                consumedOfFront = 0;
                HandBack(buffer);
            }
        }
        std::memset(stream + filled, silence, static_cast<size_t>(length - filled));
        processed += filled;
        heard.Callback(Clock::now(), before, filled, length);
    }

    void Capture(const Uint8* stream, int length) {
        int taken = 0;
        while (taken < length && !queue.empty()) {
            WaveBuffer& buffer = *queue.front();
            const int n = std::min(length - taken, buffer.length - consumedOfFront);
            std::memcpy(buffer.data + consumedOfFront, stream + taken, static_cast<size_t>(n));
            taken += n;
            consumedOfFront += n;
            buffer.bytesRecorded = consumedOfFront;
            if (consumedOfFront == buffer.length) {
                queue.pop_front();
                consumedOfFront = 0;
                HandBack(buffer);
            }
        }
        processed += taken;
    }

    void HandBack(WaveBuffer& buffer) {
        mailbox.Post([this, &buffer] {
            if (done) {
                done(buffer);
            }
        });
    }

    const WaveDirection direction;
    bool subsystemStarted = false;
    SDL_AudioDeviceID device = 0;
    BufferDone done;
    Uint8 silence = 0;

    // Shared with the callback under the device lock.
    std::deque<WaveBuffer*> queue;
    std::int32_t consumedOfFront = 0;
    std::int64_t processed = 0;
    mutable HeardPosition heard;

    GuiMailbox mailbox;
};

} // namespace

std::unique_ptr<WaveDevice> CreateSdlWaveDevice(WaveDirection direction) {
    return std::make_unique<SdlWaveDevice>(direction);
}
