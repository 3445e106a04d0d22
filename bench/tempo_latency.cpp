// From a change of tempo to the changed sound heard, through the song player on the default
// output device, next to the plain path's own latency from Play to the first sound heard.
//
// The song is a 440 Hz sine; each change moves the speed and the pitch together (50 % and no
// transpose, 75 % an octave up), so the new tempo is heard as the new pitch. A short-period
// capture of the default source (under scripts/pulse.sh: the null sink's monitor) tells when each
// recorded frame was heard (see reference_capture.h); the change is heard where the new pitch
// first outweighs the old one. Changes come at uneven times so that they meet the output's
// buffers at every phase.
//
// Usage: quavrel-bench-tempo-latency [CHANGES]   (default 12 per engine)

#include "audio/media_player.h"
#include "audio/wave_file_stream.h"
#include "reference_capture.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <SDL.h>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <numbers>
#include <string>
#include <thread>
#include <time.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int Rate = ReferenceCapture::Rate;
constexpr double Tone = 440.0;
constexpr int SongSeconds = 120;
constexpr int Window = 256; // frames per pitch measurement
constexpr int Hop = 16;
constexpr double GoalMs = 150.0;

const TPlaybackTempo Low{0.5, 0, TStretchEngine::Finer};
const TPlaybackTempo High{0.75, 1200, TStretchEngine::Finer};

void WriteSine(const std::string& path) {
    TWaveFileStream stream;
    stream.SetFileName(path);
    stream.Format = MakePcmWaveFormat(2, Rate, 16);
    stream.CreateNew();
    std::vector<std::int16_t> samples;
    for (std::int64_t i = 0; i < std::int64_t{SongSeconds} * Rate; ++i) {
        const double phase = 2.0 * std::numbers::pi * Tone * static_cast<double>(i) / Rate;
        const auto value = static_cast<std::int16_t>(std::lround(16000.0 * std::sin(phase)));
        samples.push_back(value);
        samples.push_back(value);
    }
    stream.Write(reinterpret_cast<const std::uint8_t*>(samples.data()),
                 static_cast<std::int32_t>(samples.size() * sizeof(std::int16_t)));
    stream.Close();
}

// The power of one frequency over `Window` frames from `at` (Goertzel).
double Power(const std::vector<std::int16_t>& left, std::size_t at, double frequency) {
    const double coefficient = 2.0 * std::cos(2.0 * std::numbers::pi * frequency / Rate);
    double previous = 0.0;
    double before = 0.0;
    for (std::size_t i = at; i < at + Window; ++i) {
        const double next = left[i] + coefficient * previous - before;
        before = previous;
        previous = next;
    }
    return previous * previous + before * before - coefficient * previous * before;
}

struct Change {
    double seconds;        // when SetTempo was called, after the origin
    double from;           // pitch before
    double to;             // pitch after; 0: silence before, any sound after
    double returned = NAN; // when the call returned
    double processor = 0;  // the processor time the call took, seconds
};

// When the change was first heard, in seconds after the origin; NAN when it never was.
double HeardAt(const ReferenceCapture::Recording& recording, const Change& change) {
    const double first = (change.seconds - recording.start) * Rate;
    for (auto at = static_cast<std::size_t>(std::max(0.0, first));
         at + Window <= recording.left.size(); at += Hop) {
        const bool heard = change.to == 0.0 ? std::abs(recording.left[at + Window / 2]) > 1000
                                            : Power(recording.left, at, change.to) >
                                                  Power(recording.left, at, change.from);
        if (heard) {
            return recording.start + static_cast<double>(at + Window / 2) / Rate;
        }
    }
    return NAN;
}

struct Latencies {
    std::vector<double> heard;     // from the call to the change heard
    std::vector<double> call;      // the call itself
    std::vector<double> processor; // the processor time of the call
};

// The processor time of this thread.
double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

class Bench {
public:
    Bench() : origin(Clock::now()), capture(origin) {}

    double Now() const { return std::chrono::duration<double>(Clock::now() - origin).count(); }

    // Lets the player's buffers come back for `seconds`.
    void Run(double seconds) {
        const double until = Now() + seconds;
        while (Now() < until) {
            QCoreApplication::processEvents();
            std::this_thread::sleep_for(std::chrono::microseconds(500));
        }
    }

    // Calls `change` and notes it as a change from pitch `from` to `to`.
    void Make(double from, double to, const std::function<void()>& change) {
        changes.push_back({Now(), from, to});
        const double before = ThreadSeconds();
        change();
        changes.back().returned = Now();
        changes.back().processor = ThreadSeconds() - before;
    }

    // The latencies of the changes from `first` on, in ms.
    Latencies Since(std::size_t first) {
        const ReferenceCapture::Recording recording = capture.Take();
        Latencies values;
        for (std::size_t i = first; i < changes.size(); ++i) {
            values.heard.push_back(1000.0 * (HeardAt(recording, changes[i]) - changes[i].seconds));
            values.call.push_back(1000.0 * (changes[i].returned - changes[i].seconds));
            values.processor.push_back(1000.0 * changes[i].processor);
        }
        return values;
    }
    std::size_t Changes() const { return changes.size(); }

private:
    Clock::time_point origin;
    ReferenceCapture capture;
    std::vector<Change> changes;
};

// Uneven waits between changes, 0.35 to 0.6 s.
double Pause(int i) {
    return 0.35 + 0.25 * std::fmod(i * 0.618034, 1.0);
}

void PrintRow(const char* name, const Latencies& latencies, bool goal) {
    std::vector<double> values = latencies.heard;
    std::vector<double> calls = latencies.call;
    std::sort(calls.begin(), calls.end());
    std::vector<double> processor = latencies.processor;
    std::sort(processor.begin(), processor.end());
    const auto missing =
        std::count_if(values.begin(), values.end(), [](double v) { return std::isnan(v); });
    std::erase_if(values, [](double v) { return std::isnan(v); });
    std::sort(values.begin(), values.end());
    if (values.empty()) {
        std::printf("  %-44s %8s %8s %8s %8s %8s\n", name, "-", "-", "-", "-", "-");
        return;
    }
    const double median = values[values.size() / 2];
    const double largest = values.back();
    std::printf("  %-44s %8.1f %8.1f %8.1f %8.1f %8.1f   %-10s %s", name, values.front(), median,
                largest, calls[calls.size() / 2], processor[processor.size() / 2],
                goal ? "<= 150" : "",
                goal ? (largest <= GoalMs && missing == 0 ? "PASS" : "FAIL") : "");
    if (missing > 0) {
        std::printf("  (%ld not heard)", static_cast<long>(missing));
    }
    std::printf("\n");
}

int Measure(int count) {
    QTemporaryDir dir;
    const std::string song = dir.filePath("sine.wav").toStdString();
    WriteSine(song);

    Bench bench;
    TMediaPlayer player;
    player.FileName = song;
    player.Open();
    bench.Run(0.5);

    // The plain path: Play to the first sound heard.
    for (int i = 0; i < count / 2; ++i) {
        bench.Make(0.0, 0.0, [&] { player.Play(); });
        bench.Run(0.4);
        player.Stop();
        bench.Run(Pause(i));
    }
    const Latencies plain = bench.Since(0);

    // From the plain path to a stretched tempo while playing: the run restarts.
    std::size_t first = bench.Changes();
    for (int i = 0; i < count / 2; ++i) {
        player.SetTempo({});
        player.Play();
        bench.Run(Pause(i));
        bench.Make(Tone, 2.0 * Tone, [&] { player.SetTempo(High); });
        bench.Run(0.4);
        player.Stop();
    }
    const Latencies restart = bench.Since(first);

    std::vector<Latencies> engines;
    for (const TStretchEngine engine : {TStretchEngine::Finer, TStretchEngine::Short}) {
        TPlaybackTempo low = Low;
        TPlaybackTempo high = High;
        low.Engine = high.Engine = engine;
        player.SetTempo(low);
        player.Play();
        bench.Run(1.0);
        first = bench.Changes();
        for (int i = 0; i < count; ++i) {
            const bool up = i % 2 == 0;
            bench.Make(up ? Tone : 2.0 * Tone, up ? 2.0 * Tone : Tone,
                       [&] { player.SetTempo(up ? high : low); });
            bench.Run(Pause(i));
        }
        player.Stop();
        engines.push_back(bench.Since(first));
    }

    std::printf(
        "From the call to the sound heard at the default output, ms "
        "(speed and pitch change together: 50 %% <-> 75 %% an octave up;\n"
        "\"in call\": the median time the call itself took, \"cpu\": its processor time)\n");
    std::printf("  %-44s %8s %8s %8s %8s %8s   %-10s %s\n", "", "least", "median", "most",
                "in call", "cpu", "goal", "result");
    PrintRow("plain path: Play to first sound (reference)", plain, false);
    PrintRow("plain path to stretched while playing", restart, true);
    PrintRow("stretched, default engine: tempo change", engines[0], true);
    PrintRow("stretched, short engine: tempo change", engines[1], true);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? std::max(2, std::atoi(argv[1])) : 12;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        std::fprintf(stderr, "Cannot start SDL audio: %s\n", SDL_GetError());
        return 1;
    }
    int status = 1;
    try {
        status = Measure(count);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
    }
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return status;
}
