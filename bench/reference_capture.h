#pragma once

#include <SDL.h>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <vector>

// Records the default source (under scripts/pulse.sh: the null sink's monitor) at 44100 Hz,
// 16-bit stereo, with periods short enough that arrival times say when frames were heard:
// delivery only ever adds delay, so the earliest arrival relative to the frame count is the
// reference. SDL's audio subsystem must be started.
class ReferenceCapture {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr int Rate = 44100;

    explicit ReferenceCapture(Clock::time_point origin);
    ~ReferenceCapture();
    ReferenceCapture(const ReferenceCapture&) = delete;
    ReferenceCapture& operator=(const ReferenceCapture&) = delete;

    struct Recording {
        double start = 0;               // when its first frame was heard, seconds after origin
        std::vector<std::int16_t> left; // the left channel
    };
    Recording Take();

    // When each loud click was heard, in seconds after origin.
    std::vector<double> ClickTimes();

private:
    static void SDLCALL OnCallback(void* self, Uint8* stream, int length);

    Clock::time_point origin;
    SDL_AudioDeviceID device = 0;
    std::mutex mutex;
    Recording recording;
};
