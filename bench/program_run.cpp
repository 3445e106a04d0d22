#include "program_run.h"

#include "platform/profile_file.h"

#include <array>
#include <cmath>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <numbers>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace bench {

namespace fs = std::filesystem;

void WriteSong(const fs::path& path, int seconds, double hertz) {
    constexpr std::uint32_t Rate = 44100;
    constexpr std::uint16_t Channels = 2;
    constexpr std::uint16_t Bits = 16;
    const std::uint32_t frames = Rate * static_cast<std::uint32_t>(seconds);
    const std::uint32_t dataBytes = frames * Channels * Bits / 8;
    std::vector<char> bytes;
    const auto put = [&bytes](std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i) {
            bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
        }
    };
    const auto tag = [&bytes](const char* text) { bytes.insert(bytes.end(), text, text + 4); };
    tag("RIFF");
    put(36 + dataBytes, 4);
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
    put(dataBytes, 4);
    for (std::uint32_t i = 0; i < frames; ++i) {
        const double value = 0.5 * std::sin(2 * std::numbers::pi * hertz * i / Rate);
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

PrivateHome::PrivateHome(const fs::path& program, int songSeconds) {
    std::string pattern = (fs::temp_directory_path() / "quavrel-bench.XXXXXX");
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
    WriteSong(Song(), songSeconds);
}

PrivateHome::~PrivateHome() {
    std::error_code ignored;
    fs::remove_all(root, ignored);
}

void PrivateHome::OpenSongStopped() const {
    ProfileFile settings(Settings().string());
    settings.WriteString("MainFrm", "FileName", QString::fromStdString(Song()));
    settings.WriteBool("MainFrm", "CDPlayer.Playing", false);
    settings.Save();
}

std::string PrivateHome::SavedSong() const {
    return ProfileFile(Settings().string()).ReadString("MainFrm", "FileName", "").toStdString();
}

std::map<std::string, std::string> PrivateHome::Environment() const {
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

Child::Child(const fs::path& program, const std::map<std::string, std::string>& overrides) {
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
    const int error = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        pid = 0;
        throw std::runtime_error("cannot start " + path + ": " + std::strerror(error));
    }
}

Child::~Child() {
    if (pid > 0) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
}

bool Child::Running() {
    if (waitpid(pid, nullptr, WNOHANG) == 0) {
        return true;
    }
    pid = 0;
    return false;
}

void Child::Terminate() {
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

fs::path OwnFolder() {
    return fs::read_symlink("/proc/self/exe").parent_path();
}

ComparedPrograms ProgramsToCompare(int argc, char** argv) {
    const ComparedPrograms programs{argc > 1 ? fs::absolute(argv[1])
                                             : OwnFolder().parent_path() / "tools/quavrel",
                                    OwnFolder() / "quavrel-bench-minimal-window"};
    for (const fs::path& path : {programs.Program, programs.Minimal}) {
        if (access(path.c_str(), X_OK) != 0) {
            throw std::runtime_error("no program at " + path.string());
        }
    }
    return programs;
}

} // namespace bench
