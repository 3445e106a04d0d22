// Processor time of playing 10 s of 44100 Hz 16-bit stereo through the default output device,
// double buffered from the Qt event loop as the players do, next to PulseAudio's own paplay
// playing the same data.
//
// Run it with the private sound server of scripts/pulse.sh.

#include "platform/wave_device.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr WaveDeviceFormat format{2, 44100, 16};
constexpr int seconds = 10;
constexpr int bufferBytes = 17640; // 100 ms

double CpuSeconds(const rusage& usage) {
    const auto toSeconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return toSeconds(usage.ru_utime) + toSeconds(usage.ru_stime);
}

struct Figure {
    double cpu = 0;
    double wall = 0;
};

Figure PlayThroughDevice(std::vector<std::uint8_t>& data) {
    rusage before{};
    getrusage(RUSAGE_SELF, &before);
    const Clock::time_point start = Clock::now();

    QEventLoop loop;
    std::size_t next = 0;
    int outstanding = 0;
    std::vector<WaveBuffer> buffers(2);
    auto device = CreateDefaultWaveDevice(WaveDirection::Output);
    const auto fill = [&](WaveBuffer& buffer) {
        if (next >= data.size()) {
            return false;
        }
        buffer.data = &data[next];
        buffer.length =
            static_cast<std::int32_t>(std::min<std::size_t>(bufferBytes, data.size() - next));
        next += static_cast<std::size_t>(buffer.length);
        device->Queue(buffer);
        ++outstanding;
        return true;
    };
    device->Open(format, [&](WaveBuffer& buffer) {
        --outstanding;
        fill(buffer);
        if (outstanding == 0) {
            loop.quit();
        }
    });
    for (WaveBuffer& buffer : buffers) {
        fill(buffer);
    }
    loop.exec();
    device->Close();

    rusage after{};
    getrusage(RUSAGE_SELF, &after);
    return {CpuSeconds(after) - CpuSeconds(before),
            std::chrono::duration<double>(Clock::now() - start).count()};
}

Figure PlayThroughPaplay(const std::vector<std::uint8_t>& data) {
    char folder[] = "/tmp/quavrel-bench-XXXXXX";
    if (mkdtemp(folder) == nullptr) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    const std::string file = std::string(folder) + "/noise.raw";
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(data.data()),
               static_cast<std::streamsize>(data.size()));

    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execlp("paplay", "paplay", "--raw", "--rate=44100", "--channels=2", "--format=s16le",
               file.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    std::remove(file.c_str());
    rmdir(folder);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw std::runtime_error("paplay failed");
    }
    return {CpuSeconds(usage), wall};
}

void Print(const char* what, const Figure& figure) {
    std::printf("  %-28s %6.3f s processor over %5.2f s (%.2f %% of one core)\n", what, figure.cpu,
                figure.wall, 100 * figure.cpu / figure.wall);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::vector<std::uint8_t> data(static_cast<std::size_t>(seconds * format.BytesPerSecond()));
    std::minstd_rand random(1);
    for (std::uint8_t& byte : data) {
        byte = static_cast<std::uint8_t>(random() >> 8);
    }
    try {
        std::printf("Playing %d s of %d Hz %d-bit stereo noise:\n", seconds, format.samplesPerSec,
                    format.bitsPerSample);
        Print("quavrel output device", PlayThroughDevice(data));
        Print("paplay (reference)", PlayThroughPaplay(data));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
