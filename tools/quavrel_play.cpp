// quavrel-play: plays a PCM WAVE file through the default output device.
#include "audio/time_text.h"
#include "audio/wave_player.h"
#include "tool_support.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <iostream>
#include <optional>

namespace {

const char* const Usage =
    "Usage: quavrel-play FILE.wav [--info] [--from MS] [--repeat START_MS END_MS] [--seconds S]";

struct Options {
    std::string file;
    bool info = false;
    std::int32_t from = 0;
    std::optional<std::pair<std::int32_t, std::int32_t>> repeat;
    std::optional<double> seconds;
};

Options ParseOptions(int argc, char** argv) {
    Arguments args(argc, argv);
    Options options;
    while (!args.Empty()) {
        const std::string arg = args.Take("argument");
        if (arg == "--info") {
            options.info = true;
        } else if (arg == "--from") {
            options.from = args.TakeInteger("--from");
        } else if (arg == "--repeat") {
            const std::int32_t start = args.TakeInteger("--repeat start");
            options.repeat = {start, args.TakeInteger("--repeat end")};
        } else if (arg == "--seconds") {
            options.seconds = args.TakeNumber("--seconds");
        } else if (arg.starts_with("--") || !options.file.empty()) {
            throw UsageError("Unknown argument: " + arg + "\n" + Usage);
        } else {
            options.file = arg;
        }
    }
    if (options.file.empty()) {
        throw UsageError(Usage);
    }
    return options;
}

void PrintInfo(TWavePlayer& player) {
    const PcmWaveFormat& format = player.FileFormat();
    std::cout << "channels=" << format.channels << " rate=" << format.samplesPerSec
              << " bits=" << format.bitsPerSample << " align=" << format.blockAlign
              << " data=" << player.DataSize() << " length_ms=" << player.GetLength() << '\n';
}

int Play(TWavePlayer& player, const Options& options) {
    player.SetPosition(options.from);
    if (options.repeat) {
        player.SetRepeatStart(options.repeat->first);
        player.SetRepeatEnd(options.repeat->second);
        player.RepeatEnabled = true;
    }
    player.Play();
    QElapsedTimer elapsed;
    elapsed.start();
    const PositionDisplay display;
    const int exitCode = RunEventLoop(100, [&] {
        const bool timeUp = options.seconds && elapsed.elapsed() >= *options.seconds * 1000;
        if (timeUp || player.GetState() != TWavePlayer::StatePlaying) {
            return false;
        }
        display.Show(TimeText(player.GetPosition()));
        return true;
    });
    player.Stop();
    return exitCode;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    return RunTool([&] {
        const Options options = ParseOptions(argc, argv);
        TWavePlayer player;
        player.SetFileName(options.file);
        player.Open();
        if (options.info) {
            PrintInfo(player);
            return 0;
        }
        return Play(player, options);
    });
}
