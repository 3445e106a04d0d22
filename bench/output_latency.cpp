// How far the output device's BytesProcessed() is from what is actually heard.
//
// Plays silence with short clicks on the default output while a short-period capture records
// the default source (under scripts/pulse.sh: the null sink's monitor). The capture's arrival
// times fix when each recorded frame was heard; the clicks tie what was heard to the data played.
// Every position sample taken while playing is then compared with the data being heard at that
// moment. The short capture periods also bring the null sink's own latency down to about 3 ms.
//
// Usage: quavrel-bench-output-latency [RATE [BITS [CHANNELS]]]   (default 44100 16 2)

#include "platform/wave_device.h"
#include "reference_capture.h"

#include <QCoreApplication>
#include <SDL.h>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int clickFrames = 4;
constexpr double firstClickSeconds = 1.0;
constexpr double clickSpacingSeconds = 0.4;
constexpr int clicks = 20;

double Seconds(Clock::time_point t, Clock::time_point origin) {
    return std::chrono::duration<double>(t - origin).count();
}

double ClickSeconds(int i) {
    return firstClickSeconds + i * clickSpacingSeconds;
}

std::vector<std::uint8_t> ClickTrack(const WaveDeviceFormat& format) {
    const double seconds = ClickSeconds(clicks) + 0.5;
    const auto frames = static_cast<size_t>(seconds * format.samplesPerSec);
    const bool eightBit = format.bitsPerSample == 8;
    std::vector<std::uint8_t> track(frames * format.BlockAlign(), eightBit ? 0x80 : 0);
    for (int i = 0; i < clicks; ++i) {
        const auto first = static_cast<size_t>(ClickSeconds(i) * format.samplesPerSec);
        for (size_t frame = first; frame < first + clickFrames; ++frame) {
            for (int channel = 0; channel < format.channels; ++channel) {
                std::uint8_t* sample =
                    &track[frame * format.BlockAlign() + channel * format.bitsPerSample / 8];
                if (eightBit) {
                    *sample = 0xF0;
                } else {
                    const std::int16_t level = 28000;
                    std::memcpy(sample, &level, 2);
                }
            }
        }
    }
    return track;
}

struct Summary {
    double mean = 0;
    double deviation = 0;
    double low = 0;
    double high = 0;
};

Summary Summarize(const std::vector<double>& values) {
    Summary s;
    s.low = *std::min_element(values.begin(), values.end());
    s.high = *std::max_element(values.begin(), values.end());
    for (double v : values) {
        s.mean += v / static_cast<double>(values.size());
    }
    for (double v : values) {
        s.deviation += (v - s.mean) * (v - s.mean) / static_cast<double>(values.size());
    }
    s.deviation = std::sqrt(s.deviation);
    return s;
}

struct Sample {
    double seconds;
    std::int64_t position;
};

int Measure(const WaveDeviceFormat& format) {
    const Clock::time_point origin = Clock::now();
    ReferenceCapture reference(origin);

    std::vector<std::uint8_t> track = ClickTrack(format);
    std::vector<WaveBuffer> buffers;
    for (size_t at = 0; at < track.size(); at += 16384) {
        WaveBuffer buffer;
        buffer.data = &track[at];
        buffer.length = static_cast<std::int32_t>(std::min<size_t>(16384, track.size() - at));
        buffers.push_back(buffer);
    }
    size_t finished = 0;
    auto output = CreateDefaultWaveDevice(WaveDirection::Output);
    output->Open(format, [&](WaveBuffer&) { ++finished; });
    for (WaveBuffer& buffer : buffers) {
        output->Queue(buffer);
    }
    std::vector<Sample> positions;
    while (finished < buffers.size()) {
        QCoreApplication::processEvents();
        positions.push_back({Seconds(Clock::now(), origin), output->BytesProcessed()});
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(800));

    const std::vector<double> heard = reference.ClickTimes();
    if (heard.size() != clicks) {
        std::fprintf(stderr, "Heard %zu of %d clicks; is the default source the monitor?\n",
                     heard.size(), clicks);
        return 1;
    }
    // When data second 0 was heard, from each click; their spread is the reference's own error.
    std::vector<double> zeros;
    for (int i = 0; i < clicks; ++i) {
        zeros.push_back(heard[i] - ClickSeconds(i));
    }
    const Summary zero = Summarize(zeros);

    const double bytesPerSecond = format.BytesPerSecond();
    std::printf("%d Hz, %d-bit, %d channel(s): click, heard at, BytesProcessed passed it at\n",
                format.samplesPerSec, format.bitsPerSample, format.channels);
    for (int i = 0; i < clicks; ++i) {
        const double clickByte = ClickSeconds(i) * bytesPerSecond;
        const auto passed = std::find_if(positions.begin(), positions.end(), [&](const Sample& s) {
            return static_cast<double>(s.position) >= clickByte;
        });
        std::printf("  %5.2f s  %8.1f ms  %8.1f ms\n", ClickSeconds(i), heard[i] * 1000,
                    passed == positions.end() ? NAN : passed->seconds * 1000);
    }
    // Every sample while the clicks played, against the data heard at that moment.
    std::vector<double> errorsMs;
    for (const Sample& sample : positions) {
        const double heardSeconds = sample.seconds - zero.mean;
        if (heardSeconds >= ClickSeconds(0) && heardSeconds <= ClickSeconds(clicks - 1)) {
            errorsMs.push_back(
                (static_cast<double>(sample.position) / bytesPerSecond - heardSeconds) * 1000);
        }
    }
    const Summary error = Summarize(errorsMs);
    std::printf("BytesProcessed minus what is heard over %zu samples: mean %+.1f ms, "
                "deviation %.1f ms, range %+.1f .. %+.1f ms\n",
                errorsMs.size(), error.mean, error.deviation, error.low, error.high);
    std::printf("reference error (spread of the clicks heard): %.1f ms\n",
                (zero.high - zero.low) * 1000);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    WaveDeviceFormat format;
    format.samplesPerSec = argc > 1 ? std::atoi(argv[1]) : 44100;
    format.bitsPerSample = argc > 2 ? std::atoi(argv[2]) : 16;
    format.channels = argc > 3 ? std::atoi(argv[3]) : 2;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        std::fprintf(stderr, "Cannot start SDL audio: %s\n", SDL_GetError());
        return 1;
    }
    int status = 1;
    try {
        status = Measure(format);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
    }
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return status;
}
