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
#include "platform/profile_file.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <numbers>
#include <spawn.h>
#include <sstream>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int Starts = 5;
constexpr auto PollInterval = std::chrono::milliseconds(3);
// Far beyond any start or exit on a loaded machine.
constexpr auto Deadline = std::chrono::seconds(60);
constexpr auto Settle = std::chrono::seconds(1);
constexpr auto IdleSpan = std::chrono::seconds(10);
constexpr int SongSeconds = 20;
// The main window names the song it has open.
const std::string ProgramTitle = "song.wav - Quavrel 4.00";
const std::string MinimalTitle = "Quavrel bench minimal window";

double Milliseconds(Clock::duration span) {
    return std::chrono::duration<double, std::milli>(span).count();
}

// 44100 Hz 16-bit stereo, a 440 Hz sine at half scale.
void WriteSong(const fs::path& path) {
    constexpr std::uint32_t Rate = 44100;
    constexpr std::uint16_t Channels = 2;
    constexpr std::uint16_t Bits = 16;
    constexpr std::uint32_t DataBytes = Rate * SongSeconds * Channels * Bits / 8;
    std::vector<char> bytes;
    const auto put = [&bytes](std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i) {
            bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
        }
    };
    const auto tag = [&bytes](const char* text) { bytes.insert(bytes.end(), text, text + 4); };
    tag("RIFF");
    put(36 + DataBytes, 4);
    tag("WAVE");
    tag("fmt ");
    put(16, 4);
    put(1, 2); // PCM
    put(Channels, 2);
    put(Rate, 4);
    put(Rate * Channels * Bits / 8, 4);
    put(Channels * Bits / 8, 2);
    put(Bits, 2);
    tag("data");
    put(DataBytes, 4);
    for (std::uint32_t i = 0; i < Rate * SongSeconds; ++i) {
        const double value = 0.5 * std::sin(2 * std::numbers::pi * 440 * i / Rate);
        const auto sample = static_cast<std::int16_t>(std::lround(value * 32767));
        put(static_cast<std::uint16_t>(sample), 2);
        put(static_cast<std::uint16_t>(sample), 2);
    }
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

// A home in a temporary folder where the user chose the data folder before, with a song open
// and stopped at the last exit; removed at the end.
class PrivateHome {
public:
    explicit PrivateHome(const fs::path& program) {
        std::string pattern = (fs::temp_directory_path() / "quavrel-bench-startup.XXXXXX");
        if (mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot make a temporary folder");
        }
        root = pattern;
        fs::create_directories(Documents());
        fs::create_directories(root / "config/quavrel");
        fs::create_directories(Data());
        ProfileFile user((root / "config/quavrel/quavrel.ini").string());
        const QString documents = QString::fromStdString(Documents().string());
        user.WriteBool(documents, "FirstTimeFlg", false);
        user.WriteString(documents, "UserProfiles", QString::fromStdString(Data().string()));
        user.Save();
        fs::copy_file(program.parent_path() / "quavrel_key.ini", Data() / "quavrel_key.ini");
        WriteSong(Song());
    }
    ~PrivateHome() {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }
    PrivateHome(const PrivateHome&) = delete;
    PrivateHome& operator=(const PrivateHome&) = delete;

    // Before each start: whatever the last run saved, the song is open and stopped.
    void OpenSongStopped() const {
        ProfileFile settings(Settings().string());
        settings.WriteString("MainFrm", "FileName", QString::fromStdString(Song()));
        settings.WriteBool("MainFrm", "CDPlayer.Playing", false);
        settings.Save();
    }
    // The song the program had open when it last saved.
    std::string SavedSong() const {
        return ProfileFile(Settings().string()).ReadString("MainFrm", "FileName", "").toStdString();
    }
    std::string Song() const { return (root / "song.wav").string(); }

    std::map<std::string, std::string> Environment() const {
        return {
            {"HOME", (root / "home").string()},
            {"XDG_CONFIG_HOME", (root / "config").string()},
            {"XDG_DOCUMENTS_DIR", Documents().string()},
            // Keeps the single-instance socket away from any other instance on the machine.
            {"TMPDIR", root.string()},
            {"QT_QPA_PLATFORM", "xcb"},
            {"SDL_AUDIODRIVER", "disk"},
            {"SDL_DISKAUDIOFILE", "/dev/null"},
        };
    }

private:
    fs::path Documents() const { return root / "home/Documents"; }
    fs::path Data() const { return root / "data"; }
    fs::path Settings() const { return Data() / "quavrel.ini"; }

    fs::path root;
};

// A process started with the private home's variables over ours, its output dropped.
class Child {
public:
    Child(const fs::path& program, const std::map<std::string, std::string>& overrides) {
        std::vector<std::string> variables;
        for (char** entry = environ; *entry != nullptr; ++entry) {
            const std::string variable = *entry;
            if (!overrides.contains(variable.substr(0, variable.find('=')))) {
                variables.push_back(variable);
            }
        }
        for (const auto& [name, value] : overrides) {
            variables.push_back(name + "=" + value);
        }
        std::vector<char*> envp;
        for (std::string& variable : variables) {
            envp.push_back(variable.data());
        }
        envp.push_back(nullptr);
        std::string path = program.string();
        std::array<char*, 2> argv{path.data(), nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        started = Clock::now();
        const int error =
            posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), envp.data());
        posix_spawn_file_actions_destroy(&actions);
        if (error != 0) {
            pid = 0;
            throw std::runtime_error("cannot start " + path + ": " + std::strerror(error));
        }
    }
    ~Child() {
        if (pid > 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    pid_t Pid() const { return pid; }
    Clock::time_point Started() const { return started; }
    bool Running() {
        if (waitpid(pid, nullptr, WNOHANG) == 0) {
            return true;
        }
        pid = 0;
        return false;
    }

    // SIGTERM, then waits for the exit.
    void Terminate() {
        kill(pid, SIGTERM);
        const auto deadline = Clock::now() + Deadline;
        int status = 0;
        while (waitpid(pid, &status, WNOHANG) == 0) {
            if (Clock::now() > deadline) {
                throw std::runtime_error("the process did not end after SIGTERM");
            }
            std::this_thread::sleep_for(PollInterval);
        }
        pid = 0;
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            if (!WIFSIGNALED(status) || WTERMSIG(status) != SIGTERM) {
                throw std::runtime_error("the process failed at its end");
            }
        }
    }

private:
    pid_t pid = 0;
    Clock::time_point started;
};

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
        // The last run's window must be gone from the screen before it is taken.
        while (!watch.NoWindowNamed(title)) {
            if (Clock::now() > deadline) {
                throw std::runtime_error("a window \"" + title + "\" is still there");
            }
            std::this_thread::sleep_for(PollInterval);
        }
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

fs::path OwnFolder() {
    return fs::read_symlink("/proc/self/exe").parent_path();
}

} // namespace

int main(int argc, char** argv) {
    try {
        const fs::path program =
            argc > 1 ? fs::absolute(argv[1]) : OwnFolder().parent_path() / "tools/quavrel";
        const fs::path minimal = OwnFolder() / "quavrel-bench-minimal-window";
        for (const fs::path& path : {program, minimal}) {
            if (access(path.c_str(), X_OK) != 0) {
                throw std::runtime_error("no program at " + path.string());
            }
        }
        PaintedWindowWatch watch;
        PrivateHome home(program);

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
