// quavrel-play: plays a PCM WAVE file through the default output device.
#include "audio/time_text.h"
#include "audio/wave_player.h"
#include "platform/application_error.h"
#include "tool_support.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <optional>
#include <unistd.h>

namespace {

const char* const Usage =
    "Usage: quavrel-play FILE.wav [--info] [--from MS] [--repeat START_MS END_MS] [--seconds S]";

std::atomic<bool> interrupted = false;

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
    std::signal(SIGINT, [](int) { interrupted = true; });

    int exitCode = 0;
    SetApplicationErrorHandler([&exitCode](const std::exception& error) {
        std::cerr << error.what() << '\n';
        exitCode = 1;
        QCoreApplication::exit(1);
    });
    const bool terminal = ::isatty(STDOUT_FILENO) != 0;
    const auto showPosition = [&] {
        std::cout << TimeText(player.GetPosition()) << (terminal ? "\r" : "\n") << std::flush;
    };

    player.Play();
    QTimer timer;
    QElapsedTimer elapsed;
    elapsed.start();
    QObject::connect(&timer, &QTimer::timeout, [&] {
        const bool timeUp = options.seconds && elapsed.elapsed() >= *options.seconds * 1000;
        if (interrupted || timeUp || player.GetState() != TWavePlayer::StatePlaying) {
            QCoreApplication::exit(exitCode);
            return;
        }
        showPosition();
    });
    timer.start(100);
    showPosition();
    QCoreApplication::exec();
    player.Stop();
    if (terminal) {
        std::cout << '\n';
    }
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
