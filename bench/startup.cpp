// Start-up and idle cost of the real program next to the least a Qt program can show (an empty
// painted window, quavrel-bench-minimal-window), in one run:
// - start-up: from starting the process to its main window ("song.wav - Quavrel 4.00", named
//   after its song) being mapped and painted, seen from outside through the X server: its
//   pixels are neither one colour nor what the screen showed before. Polled every few
//   milliseconds; 5 starts each, median and worst.
// - idle: processor time (user and system, /proc/PID/stat) over 10 s, a second after the
//   window is painted, as a share of one core (the kernel counts in ticks of usually 10 ms, so
//   0.1 % is the smallest step); the program has a 20 s WAVE song open and stopped.
// The program runs with a private home whose data folder was chosen before, so it asks
// nothing, its sound on SDL's disk driver; it ends by SIGTERM, which saves as its Exit does.
// Needs an X display with a window manager: run it on the private one,
//   eval "$(scripts/xvfb.sh start)"; build/bench/quavrel-bench-startup [PATH_OF_QUAVREL]
// then scripts/xvfb.sh stop. Without a path it takes build/tools/quavrel next to build/bench.

#include "painted_window.h"
#include "program_run.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace bench;

constexpr int Starts = 5;
constexpr auto Settle = std::chrono::seconds(1);
constexpr auto IdleSpan = std::chrono::seconds(10);
constexpr int SongSeconds = 20;
// The main window names the song it has open.
const std::string ProgramTitle = "song.wav - Quavrel 4.00";
const std::string MinimalTitle = "Quavrel bench minimal window";

double Milliseconds(Clock::duration span) {
    return std::chrono::duration<double, std::milli>(span).count();
}

// User and system time of a process so far, in clock ticks.
long long ProcessorTicks(pid_t pid) {
    std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(file, line);
    // The command name may hold blanks and parentheses: the fields start after the last ')'.
    std::istringstream fields(line.substr(line.rfind(')') + 2));
    std::string field;
    long long utime = 0;
    long long stime = 0;
    // Fields 3 to 13, then utime (14) and stime (15).
    for (int i = 3; i <= 13; ++i) {
        fields >> field;
    }
    fields >> utime >> stime;
    if (!fields) {
        throw std::runtime_error("cannot read the processor time of process " +
                                 std::to_string(pid));
    }
    return utime + stime;
}

struct Figures {
    std::vector<double> StartMs;
    double IdlePercent = 0;
};

// Starts the program until its window is painted, `Starts` times; the last time it stays a
// while longer for the idle measurement.
Figures Measure(PaintedWindowWatch& watch, const fs::path& program, const std::string& title,
                const PrivateHome& home) {
    Figures figures;
    for (int start = 0; start < Starts; ++start) {
        const auto deadline = Clock::now() + Deadline;
        // The last run's windows must be gone from the screen before it is taken.
        watch.WaitForQuietScreen(deadline);
        watch.TakeScreen();
        home.OpenSongStopped();
        Child child(program, home.Environment());
        xcb_window_t window = 0;
        while (window == 0 || !watch.IsPainted(window)) {
            if (Clock::now() > deadline || !child.Running()) {
                throw std::runtime_error("no painted window \"" + title + "\" from " +
                                         program.string());
            }
            std::this_thread::sleep_for(PollInterval);
            if (window == 0) {
                window = watch.FindWindow(child.Pid(), title);
            }
        }
        figures.StartMs.push_back(Milliseconds(Clock::now() - child.Started()));
        if (start + 1 == Starts) {
            std::this_thread::sleep_for(Settle);
            const long long before = ProcessorTicks(child.Pid());
            const auto from = Clock::now();
            std::this_thread::sleep_for(IdleSpan);
            const long long after = ProcessorTicks(child.Pid());
            const double seconds = std::chrono::duration<double>(Clock::now() - from).count();
            figures.IdlePercent = 100.0 * static_cast<double>(after - before) /
                                  static_cast<double>(sysconf(_SC_CLK_TCK)) / seconds;
        }
        child.Terminate();
    }
    std::sort(figures.StartMs.begin(), figures.StartMs.end());
    return figures;
}

} // namespace

int main(int argc, char** argv) {
    try {
        const auto [program, minimal] = ProgramsToCompare(argc, argv);
        PaintedWindowWatch watch;
        PrivateHome home(program, SongSeconds);

        const Figures ours = Measure(watch, program, ProgramTitle, home);
        if (home.SavedSong() != home.Song()) {
            throw std::runtime_error("the program did not have the song open");
        }
        const Figures least = Measure(watch, minimal, MinimalTitle, home);

        std::printf("%-44s %14s %14s\n", "", "quavrel", "minimal Qt");
        std::printf("%-44s %11.1f ms %11.1f ms\n", "start to painted window, median of 5",
                    ours.StartMs[Starts / 2], least.StartMs[Starts / 2]);
        std::printf("%-44s %11.1f ms %11.1f ms\n", "start to painted window, worst of 5",
                    ours.StartMs.back(), least.StartMs.back());
        std::printf("%-44s %12.2f %% %12.2f %%\n", "idle processor time over 10 s, of one core",
                    ours.IdlePercent, least.IdlePercent);
        std::printf("(quavrel with a %d s WAVE song open and stopped)\n", SongSeconds);
        return EXIT_SUCCESS;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "quavrel-bench-startup: %s\n", error.what());
        return EXIT_FAILURE;
    }
}
