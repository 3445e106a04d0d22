// Resident memory of the real program with a song and ten cassettes open, next to the least a
// Qt program can show (an empty painted window, quavrel-bench-minimal-window), in one run.
// Each runs until its windows are painted (the program's main window named after its song and
// its ten cassettes on the screen), then two seconds more; then its resident set
// (/proc/PID/status) is read: all of it, and the parts that are anonymous memory (heap and
// stacks) and pages of files (mostly the code and data of the libraries loaded).
// The program runs with a private home whose data folder was chosen before, so it asks
// nothing, its sound on SDL's disk driver; the song's data holds ten cassettes of 10 s each,
// as a run that recorded them would have saved them.
// Needs an X display with a window manager: run it on the private one,
//   eval "$(scripts/xvfb.sh start)"; build/bench/quavrel-bench-memory [PATH_OF_QUAVREL]
// then scripts/xvfb.sh stop. Without a path it takes build/tools/quavrel next to build/bench.

#include "painted_window.h"
#include "program_run.h"
#include "storage/song_data_file.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace bench;

constexpr int SongSeconds = 20;
constexpr int Cassettes = 10;
constexpr int CassetteSeconds = 10;
constexpr auto Settle = std::chrono::seconds(2);
const std::string ProgramTitle = "song.wav - Quavrel 4.00";
const std::string MinimalTitle = "Quavrel bench minimal window";

// Ten cassettes of the home's song, kept in its data folder as an exit saves them.
void SaveCassettes(const PrivateHome& home) {
    const fs::path recordings = home.Root() / "recordings";
    fs::create_directories(recordings);
    TSongRecords records;
    for (int i = 0; i < Cassettes; ++i) {
        const fs::path recording = recordings / ("cassette" + std::to_string(i) + ".wav");
        WriteSong(recording, CassetteSeconds, 220 + 55 * i);
        TCassetteRecord cassette;
        cassette.Recording = recording.string();
        cassette.Left = 40 + 60 * (i % 5);
        cassette.Top = 400 + 150 * (i / 5);
        cassette.Title = QStringLiteral("Cassette %1").arg(i + 1);
        cassette.CreateIndex = i;
        records.Cassettes.push_back(cassette);
    }
    SaveSongRecords(home.Data().string(), home.Song(), records);
}

struct Resident {
    long TotalKb = 0;
    long AnonymousKb = 0;
    long FileKb = 0;
};

Resident ResidentOf(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    Resident resident;
    std::string name;
    long value = 0;
    std::string unit;
    while (status >> name) {
        if (name == "VmRSS:" || name == "RssAnon:" || name == "RssFile:") {
            status >> value >> unit;
            (name == "VmRSS:"     ? resident.TotalKb
             : name == "RssAnon:" ? resident.AnonymousKb
                                  : resident.FileKb) = value;
        }
        status.ignore(1 << 16, '\n');
    }
    if (resident.TotalKb == 0) {
        throw std::runtime_error("cannot read the memory of process " + std::to_string(pid));
    }
    return resident;
}

// Starts the program, waits for its painted window named `title` and `windows` windows in
// all, lets it settle and reads its resident set; then ends it.
Resident Measure(PaintedWindowWatch& watch, const fs::path& program, const std::string& title,
                 int windows, const PrivateHome& home) {
    const auto deadline = Clock::now() + Deadline;
    watch.WaitForQuietScreen(deadline);
    watch.TakeScreen();
    Child child(program, home.Environment());
    xcb_window_t window = 0;
    while (window == 0 || !watch.IsPainted(window) || watch.CountWindows(child.Pid()) < windows) {
        if (Clock::now() > deadline || !child.Running()) {
            throw std::runtime_error("no painted window \"" + title + "\" and " +
                                     std::to_string(windows) + " windows from " + program.string());
        }
        std::this_thread::sleep_for(PollInterval);
        if (window == 0) {
            window = watch.FindWindow(child.Pid(), title);
        }
    }
    std::this_thread::sleep_for(Settle);
    const Resident resident = ResidentOf(child.Pid());
    child.Terminate();
    return resident;
}

double Megabytes(long kilobytes) {
    return static_cast<double>(kilobytes) / 1024.0;
}

} // namespace

int main(int argc, char** argv) {
    try {
        const auto [program, minimal] = ProgramsToCompare(argc, argv);
        PaintedWindowWatch watch;
        PrivateHome home(program, SongSeconds);
        SaveCassettes(home);
        home.OpenSongStopped();

        const Resident ours = Measure(watch, program, ProgramTitle, 1 + Cassettes, home);
        const std::optional<TSongRecords> kept = LoadSongRecords(home.Data().string(), home.Song());
        if (home.SavedSong() != home.Song() || !kept || kept->Cassettes.size() != Cassettes) {
            throw std::runtime_error("the program did not have the song and its cassettes open");
        }
        const Resident least = Measure(watch, minimal, MinimalTitle, 1, home);

        std::printf("%-44s %14s %14s\n", "", "quavrel", "minimal Qt");
        std::printf("%-44s %11.1f MB %11.1f MB\n", "resident memory", Megabytes(ours.TotalKb),
                    Megabytes(least.TotalKb));
        std::printf("%-44s %11.1f MB %11.1f MB\n", "  of it anonymous (heap, stacks)",
                    Megabytes(ours.AnonymousKb), Megabytes(least.AnonymousKb));
        std::printf("%-44s %11.1f MB %11.1f MB\n", "  of it pages of files (libraries)",
                    Megabytes(ours.FileKb), Megabytes(least.FileKb));
        std::printf("(quavrel with a %d s WAVE song and %d cassettes of %d s open)\n", SongSeconds,
                    Cassettes, CassetteSeconds);
        return EXIT_SUCCESS;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "quavrel-bench-memory: %s\n", error.what());
        return EXIT_FAILURE;
    }
}
