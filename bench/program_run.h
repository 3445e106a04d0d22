#pragma once

#include <chrono>
#include <filesystem>
#include <map>
#include <string>
#include <sys/types.h>

// What the benchmarks that start the real program share: a private home for it and the
// process it runs in.

namespace bench {

using Clock = std::chrono::steady_clock;

// Far beyond any start or exit on a loaded machine.
constexpr auto Deadline = std::chrono::seconds(60);
constexpr auto PollInterval = std::chrono::milliseconds(3);

// A WAVE file of 44100 Hz 16-bit stereo, a sine at half scale.
void WriteSong(const std::filesystem::path& path, int seconds, double hertz = 440);

// A home in a temporary folder where the user chose the data folder before, so the program
// asks nothing, with a song of `songSeconds` open and stopped at the last exit; removed at the
// end.
class PrivateHome {
public:
    PrivateHome(const std::filesystem::path& program, int songSeconds);
    ~PrivateHome();
    PrivateHome(const PrivateHome&) = delete;
    PrivateHome& operator=(const PrivateHome&) = delete;

    // Before each start: whatever the last run saved, the song is open and stopped.
    void OpenSongStopped() const;
    // The song the program had open when it last saved.
    std::string SavedSong() const;
    std::string Song() const { return (root / "song.wav").string(); }
    std::filesystem::path Root() const { return root; }
    std::filesystem::path Data() const { return root / "data"; }
    // The variables the program runs with: this home, its sound on SDL's disk driver.
    std::map<std::string, std::string> Environment() const;

private:
    std::filesystem::path Documents() const { return root / "home/Documents"; }
    std::filesystem::path Settings() const { return Data() / "quavrel.ini"; }

    std::filesystem::path root;
};

// A process started with the private home's variables over ours, its output dropped; killed
// when it is still running at the end.
class Child {
public:
    Child(const std::filesystem::path& program,
          const std::map<std::string, std::string>& overrides);
    ~Child();
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    pid_t Pid() const { return pid; }
    Clock::time_point Started() const { return started; }
    bool Running();
    // SIGTERM, then waits for the exit.
    void Terminate();

private:
    pid_t pid = 0;
    Clock::time_point started;
};

// The folder of the running benchmark.
std::filesystem::path OwnFolder();

// The program a benchmark measures (its first argument, else the build's) and the empty Qt
// window it is compared with; fails when either cannot be run.
struct ComparedPrograms {
    std::filesystem::path Program;
    std::filesystem::path Minimal;
};
ComparedPrograms ProgramsToCompare(int argc, char** argv);

} // namespace bench
