#include "media_fixture.h"

#include "tests/support/required_environment.h"
#include "tests/support/wave_fixture.h"

#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <limits>
#include <map>
#include <random>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

bool ToolExists(const std::string& tool) {
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "/usr/bin:/bin";
    std::size_t begin = 0;
    while (begin <= folders.size()) {
        const std::size_t end = std::min(folders.find(':', begin), folders.size());
        if (::access((folders.substr(begin, end - begin) + "/" + tool).c_str(), X_OK) == 0) {
            return true;
        }
        begin = end + 1;
    }
    return false;
}

std::vector<std::string> Ffmpeg(const std::string& in, const std::vector<std::string>& codec,
                                const std::string& out) {
    std::vector<std::string> arguments = {"ffmpeg", "-nostdin", "-v", "error", "-y", "-i", in};
    arguments.insert(arguments.end(), codec.begin(), codec.end());
    arguments.push_back(out);
    return arguments;
}

// The command that turns the WAVE file `in` into `out`, chosen by the name of `out`.
std::vector<std::string> EncoderFor(const std::string& name, const std::string& in,
                                    const std::string& out) {
    const std::string extension = std::filesystem::path(name).extension().string();
    if (name == "bare.mp3") {
        return {"lame", "--quiet", "-t", in, out};
    }
    const std::map<std::string, std::vector<std::string>> encoders = {
        {".wav", {"cp", in, out}},
        {".flac", {"flac", "--silent", "--force", "-o", out, in}},
        {".mp3", {"lame", "--quiet", in, out}},
        {".ogg", Ffmpeg(in, {"-c:a", "libvorbis"}, out)},
        {".opus", Ffmpeg(in, {"-c:a", "libopus"}, out)},
        {".m4a", Ffmpeg(in, {"-c:a", "aac", "-aac_pns", "0"}, out)},
        {".aac", Ffmpeg(in, {"-c:a", "aac", "-aac_pns", "0", "-f", "adts"}, out)},
    };
    return encoders.at(extension);
}

} // namespace

ClickSignal MakeClickSignal(int rate, int channels, std::int64_t frames, std::int64_t click) {
    ClickSignal signal{rate, channels, frames, click, {}};
    std::minstd_rand random(7);
    std::uniform_int_distribution<int> noise(-300, 300);
    signal.samples.resize(static_cast<std::size_t>(frames * channels));
    for (std::int64_t frame = 0; frame < frames; ++frame) {
        for (int channel = 0; channel < channels; ++channel) {
            // Each channel clicks with its own level, so a swap of channels shows.
            const int clickLevel = channel == 0 ? 20000 : -12000;
            signal.samples[static_cast<std::size_t>(frame * channels + channel)] =
                static_cast<std::int16_t>(frame == click ? clickLevel : noise(random));
        }
    }
    return signal;
}

std::vector<std::int16_t> ReadToEnd(PcmSource& source) {
    return ReadFrames(source, std::numeric_limits<std::int64_t>::max());
}

std::vector<std::int16_t> ReadFrames(PcmSource& source, std::int64_t frames) {
    constexpr std::int32_t pieceFrames = 8192;
    std::vector<std::int16_t> samples;
    std::vector<std::int16_t> piece(pieceFrames * 2);
    while (const std::int32_t got = source.Read(
               reinterpret_cast<std::uint8_t*>(piece.data()),
               static_cast<std::int32_t>(std::min<std::int64_t>(
                   pieceFrames, frames - static_cast<std::int64_t>(samples.size() / 2))))) {
        samples.insert(samples.end(), piece.begin(), piece.begin() + got * 2);
    }
    return samples;
}

std::int64_t PeakFrame(const std::vector<std::int16_t>& stereo) {
    std::int64_t peak = 0;
    for (std::size_t frame = 0; frame * 2 < stereo.size(); ++frame) {
        if (std::abs(stereo[frame * 2]) > std::abs(stereo[static_cast<std::size_t>(peak) * 2])) {
            peak = static_cast<std::int64_t>(frame);
        }
    }
    return peak;
}

bool SeekReadsAsFromStart(PcmSource& source, const std::vector<std::int16_t>& fromStart,
                          std::int64_t target, std::int64_t frames) {
    source.Seek(target);
    const std::vector<std::int16_t> after = ReadFrames(source, frames);
    const auto begin =
        fromStart.begin() +
        std::min<std::int64_t>(target * 2, static_cast<std::int64_t>(fromStart.size()));
    const auto end = begin + std::min<std::int64_t>(frames * 2, fromStart.end() - begin);
    return std::equal(after.begin(), after.end(), begin, end);
}

bool RunTool(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int failed = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    return failed == 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

void EncodeMedia(const TempDir& dir, const ClickSignal& signal, const std::string& name) {
    const std::string source = dir.File(name + ".source.wav");
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(signal.samples.data());
    WriteWave(source, MakePcmWaveFormat(signal.channels, signal.rate, 16),
              Bytes(bytes, bytes + signal.samples.size() * sizeof(std::int16_t)));
    const std::vector<std::string> command = EncoderFor(name, source, dir.File(name));
    QUAVREL_SKIP_UNLESS_PRESENT(ToolExists(command.front()), command.front());
    ASSERT_TRUE(RunTool(command)) << "encoding " << name << " failed";
}

void MakeVideoWithoutSound(const TempDir& dir, const std::string& name) {
    QUAVREL_SKIP_UNLESS_PRESENT(ToolExists("ffmpeg"), "ffmpeg");
    ASSERT_TRUE(RunTool({"ffmpeg", "-nostdin", "-v", "error", "-y", "-f", "lavfi", "-i",
                         "color=c=black:s=16x16:d=0.2", "-c:v", "ffv1", dir.File(name)}));
}
