// quavrel-song: lists CD drives, tells what a song holds, plays it or exports a section of it,
// at a speed and transpose of choice.
#include "audio/cda_media_player.h"
#include "audio/song_export.h"
#include "audio/time_text.h"
#include "tool_support.h"

#include <QCoreApplication>
#include <algorithm>
#include <cstdint>
#include <iostream>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace {

const char* const Usage =
    "Usage: quavrel-song drives\n"
    "       quavrel-song info SONG\n"
    "       quavrel-song play SONG [--from MS] [--to MS] [--loop] [--track N] [TEMPO]\n"
    "       quavrel-song export SONG OUT.wav [--from MS] [--to MS] [TEMPO]\n"
    "TEMPO: [--speed PERCENT] [--transpose SEMITONES[.CENTS]] [--engine finer|short]\n"
    "       speed 25 to 200, semitones -12 to 12, cents 00 to 50 (e.g. 3, -12, 0.20, -1.50)";

// The main window follows the song at this pace, and so does a looping memory card.
constexpr int TimerMilliseconds = 64;

struct Options {
    std::string command;
    std::string song;
    std::string output;
    std::optional<std::int32_t> from;
    std::optional<std::int32_t> to;
    std::optional<std::int32_t> track;
    bool loop = false;
    TPlaybackTempo tempo;
};

double ParseSpeed(double percent) {
    if (!(percent >= TPlaybackTempo::MinSpeed * 100 && percent <= TPlaybackTempo::MaxSpeed * 100)) {
        throw UsageError("The speed must be 25 to 200 percent.\n" + std::string(Usage));
    }
    return percent / 100.0;
}

// Semitones with optional cents after a point: "3", "-12", "0.20", "-1.50". Read by hand: the
// form is small, and std::regex trips the compiler's checks in sanitizer builds.
std::int32_t ParseTranspose(const std::string& text) {
    const auto digits = [](std::string_view part, std::size_t least, std::size_t most) {
        return part.size() >= least && part.size() <= most &&
               std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    std::string_view rest = text;
    const bool negative = !rest.empty() && rest.front() == '-';
    if (!rest.empty() && (rest.front() == '-' || rest.front() == '+')) {
        rest.remove_prefix(1);
    }
    const std::size_t point = rest.find('.');
    const std::string_view whole = rest.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : rest.substr(point + 1);
    if (digits(whole, 1, 2) && (point == std::string_view::npos || digits(fraction, 2, 2))) {
        const std::int32_t semitones = std::stoi(std::string(whole));
        const std::int32_t cents = fraction.empty() ? 0 : std::stoi(std::string(fraction));
        if (semitones <= 12 && cents <= 50 && semitones * 100 + cents <= TPlaybackTempo::MaxCents) {
            const std::int32_t value = semitones * 100 + cents;
            return negative ? -value : value;
        }
    }
    throw UsageError("Not a transpose: " + text +
                     " (semitones -12 to 12 with optional cents 00 to 50 after a point, e.g. 3, "
                     "-12, 0.20, -1.50)\n" +
                     Usage);
}

TStretchEngine ParseEngine(const std::string& text) {
    if (text == "finer") {
        return TStretchEngine::Finer;
    }
    if (text == "short") {
        return TStretchEngine::Short;
    }
    throw UsageError("Not an engine: " + text + " (finer or short)\n" + Usage);
}

Options ParseOptions(int argc, char** argv) {
    Arguments args(argc, argv);
    Options options;
    if (args.Empty()) {
        throw UsageError(Usage);
    }
    options.command = args.Take("command");
    std::vector<std::string> positional;
    while (!args.Empty()) {
        const std::string arg = args.Take("argument");
        if (arg == "--from") {
            options.from = args.TakeInteger("--from");
        } else if (arg == "--to") {
            options.to = args.TakeInteger("--to");
        } else if (arg == "--track") {
            options.track = args.TakeInteger("--track");
        } else if (arg == "--loop") {
            options.loop = true;
        } else if (arg == "--speed") {
            options.tempo.Speed = ParseSpeed(args.TakeNumber("--speed"));
        } else if (arg == "--transpose") {
            options.tempo.Cents = ParseTranspose(args.Take("--transpose"));
        } else if (arg == "--engine") {
            options.tempo.Engine = ParseEngine(args.Take("--engine"));
        } else if (arg.starts_with("--")) {
            throw UsageError("Unknown argument: " + arg + "\n" + Usage);
        } else {
            positional.push_back(arg);
        }
    }
    const std::size_t wanted = options.command == "drives"   ? 0
                               : options.command == "export" ? 2
                                                             : 1;
    const bool known = options.command == "drives" || options.command == "info" ||
                       options.command == "play" || options.command == "export";
    if (!known || positional.size() != wanted) {
        throw UsageError(Usage);
    }
    if (wanted > 0) {
        options.song = positional[0];
    }
    if (wanted > 1) {
        options.output = positional[1];
    }
    return options;
}

void OpenSong(TCDAMediaPlayer& player, const std::string& song) {
    player.FileName = song;
    player.Open();
    player.SetTimeFormat(tfMilliseconds);
}

int PrintInfo(TCDAMediaPlayer& player) {
    const bool cd = player.IsDisc();
    std::cout << "type=" << (cd ? "cdaudio" : "file") << "\nlength_ms=" << player.Length()
              << "\ntracks=" << player.Tracks() << '\n';
    for (std::int32_t track = 1; track <= player.Tracks(); ++track) {
        std::cout << "track=" << track << " start_ms=" << player.TrackPosition(track)
                  << " length_ms=" << player.TrackOrMediaLength(track) << '\n';
    }
    if (cd) {
        std::string serial;
        player.VolumeSerial(serial);
        std::cout << "serial=" << serial << '\n';
    }
    return 0;
}

int Play(TCDAMediaPlayer& player, const Options& options) {
    const std::int32_t base = options.track ? player.TrackPosition(*options.track) : 0;
    const std::int32_t from = base + options.from.value_or(0);
    std::optional<std::int32_t> to;
    if (options.to) {
        to = base + *options.to;
    } else if (options.track) {
        to = base + player.TrackOrMediaLength(*options.track);
    }
    player.SetTempo(options.tempo);
    player.SetPositionWithMethod(from);
    player.Play();
    const PositionDisplay display;
    const int exitCode = RunEventLoop(TimerMilliseconds, [&] {
        const bool passed = to && player.GetPosition() > *to;
        if (player.GetMode() != TMPModes::mpPlaying || (passed && !options.loop)) {
            return false;
        }
        if (passed) {
            player.SetPositionWithMethod(from);
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
        TCDAMediaPlayer player;
        if (options.command == "drives") {
            for (const std::string& drive : player.DriveList) {
                std::cout << drive << '\n';
            }
            return 0;
        }
        OpenSong(player, options.song);
        if (options.command == "info") {
            return PrintInfo(player);
        }
        if (options.command == "export") {
            ExportSongSection(player, options.from.value_or(0),
                              options.to.value_or(std::numeric_limits<std::int32_t>::max()),
                              options.output, options.tempo);
            return 0;
        }
        return Play(player, options);
    });
}
