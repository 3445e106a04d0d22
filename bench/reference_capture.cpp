#include "reference_capture.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>

namespace {

constexpr int BlockAlign = 4;

} // namespace

ReferenceCapture::ReferenceCapture(Clock::time_point origin) : origin(origin) {
    recording.start = 1e9;
    SDL_AudioSpec wanted{};
    wanted.freq = Rate;
    wanted.format = AUDIO_S16LSB;
    wanted.channels = 2;
    wanted.samples = 128;
    wanted.callback = &ReferenceCapture::OnCallback;
    wanted.userdata = this;
    device = SDL_OpenAudioDevice(nullptr, 1, &wanted, nullptr, 0);
    if (device == 0) {
        throw std::runtime_error(std::string("Cannot open the reference capture: ") +
                                 SDL_GetError());
    }
    SDL_PauseAudioDevice(device, 0);
}

ReferenceCapture::~ReferenceCapture() {
    SDL_CloseAudioDevice(device);
}

ReferenceCapture::Recording ReferenceCapture::Take() {
    const std::lock_guard lock(mutex);
    return recording;
}

std::vector<double> ReferenceCapture::ClickTimes() {
    const Recording taken = Take();
    std::vector<double> times;
    std::int64_t last = -Rate;
    for (std::size_t frame = 0; frame < taken.left.size(); ++frame) {
        const auto at = static_cast<std::int64_t>(frame);
        if (std::abs(taken.left[frame]) > 8000 && at - last > Rate / 5) {
            times.push_back(taken.start + static_cast<double>(frame) / Rate);
            last = at;
        }
    }
    return times;
}

void SDLCALL ReferenceCapture::OnCallback(void* self, Uint8* stream, int length) {
    auto& capture = *static_cast<ReferenceCapture*>(self);
    const double now = std::chrono::duration<double>(Clock::now() - capture.origin).count();
    const std::lock_guard lock(capture.mutex);
    for (int i = 0; i < length; i += BlockAlign) {
        std::int16_t left;
        std::memcpy(&left, stream + i, 2);
        capture.recording.left.push_back(left);
    }
    const double startIfHeardNow = now - static_cast<double>(capture.recording.left.size()) / Rate;
    capture.recording.start = std::min(capture.recording.start, startIfHeardNow);
}
