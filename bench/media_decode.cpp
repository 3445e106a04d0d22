// Processor time of decoding a 60 s mp3 (LAME tag, 44100 Hz stereo) to 16-bit stereo, ours next
// to `ffmpeg -i x.mp3 -f s16le -` in the same run, and the time it takes to open a 60-minute
// mp3 without a Xing/LAME tag, whose length FFmpeg only estimates and we count, and to seek
// to its middle.
//
// Needs sox, lame and ffmpeg.

#include "platform/media/media_file.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace {

double CpuSeconds(int who) {
    rusage usage{};
    getrusage(who, &usage);
    const auto toSeconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return toSeconds(usage.ru_utime) + toSeconds(usage.ru_stime);
}

void Run(const std::string& command) {
    if (std::system(command.c_str()) != 0) {
        std::fprintf(stderr, "failed: %s\n", command.c_str());
        std::exit(1);
    }
}

std::int64_t DecodeAll(const std::string& path) {
    const std::unique_ptr<PcmSource> source = OpenMediaFile(path);
    std::vector<std::uint8_t> piece(32768);
    std::int64_t frames = 0;
    while (const std::int32_t got = source->Read(piece.data(), 8192)) {
        frames += got;
    }
    return frames;
}

} // namespace

int main() {
    char pattern[] = "/tmp/quavrel-bench-XXXXXX";
    if (!mkdtemp(pattern)) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::string dir = pattern;
    const std::string wave = dir + "/song.wav";
    const std::string mp3 = dir + "/song.mp3";
    const std::string bare = dir + "/bare.mp3";
    const std::string hour = dir + "/hour.mp3";
    Run("sox -n -r 44100 -c 2 -b 16 " + wave + " synth 60 sine 220-880 pinknoise vol 0.3");
    Run("lame --quiet " + wave + " " + mp3);
    Run("lame --quiet -t " + wave + " " + bare);
    {
        std::ofstream out(hour, std::ios::binary);
        for (int minute = 0; minute < 60; ++minute) {
            std::ifstream in(bare, std::ios::binary);
            out << in.rdbuf();
        }
    }

    const double ourStart = CpuSeconds(RUSAGE_SELF);
    const std::int64_t frames = DecodeAll(mp3);
    const double ours = CpuSeconds(RUSAGE_SELF) - ourStart;

    const double theirStart = CpuSeconds(RUSAGE_CHILDREN);
    Run("ffmpeg -nostdin -v error -i " + mp3 + " -f s16le - > /dev/null");
    const double theirs = CpuSeconds(RUSAGE_CHILDREN) - theirStart;

    const double openStart = CpuSeconds(RUSAGE_SELF);
    const std::unique_ptr<PcmSource> hourSong = OpenMediaFile(hour);
    const double open = CpuSeconds(RUSAGE_SELF) - openStart;
    const double seekStart = CpuSeconds(RUSAGE_SELF);
    hourSong->Seek(hourSong->Frames() / 2);
    const double seek = CpuSeconds(RUSAGE_SELF) - seekStart;

    std::printf("decode 60 s mp3 (%lld frames): quavrel %.3f s CPU, ffmpeg %.3f s CPU\n",
                static_cast<long long>(frames), ours, theirs);
    std::printf("60 min mp3 without tag (%lld frames counted): open %.3f s CPU, seek to the "
                "middle %.3f s CPU\n",
                static_cast<long long>(hourSong->Frames()), open, seek);
    std::filesystem::remove_all(dir);
    return 0;
}
