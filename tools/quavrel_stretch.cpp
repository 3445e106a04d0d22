// quavrel-stretch: writes a slowed-down or sped-up copy of a PCM WAVE file or of any song.
#include "audio/expand_wave.h"
#include "audio/stretch_engine.h"
#include "audio/wave_processing.h"
#include "platform/file_stream.h"
#include "tool_support.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <optional>
#include <unistd.h>

namespace {

const char* const Help =
    R"(Usage: quavrel-stretch IN OUT.wav (--percent P | --frames N | --speed V)
                       [--engine ola|linear|hq] [--linear] [--block B] [--hop H]

Writes OUT.wav, a copy of IN made longer or shorter. IN is a PCM WAVE file (mono or stereo,
8 or 16 bit), taken as it is, or any song Quavrel plays (mp3, flac, ogg, opus, m4a, other WAVE
files, a disc's .cue image), decoded first into a 16-bit stereo WAVE file at the song's own
rate beside OUT.wav and removed again. The engine decides how:
  ola     the pitch stays the same, by overlap-add of windowed blocks (the default)
  linear  resampled like a tape played at another speed, so the pitch follows the speed
  hq      the pitch stays the same, by a phase vocoder: smoother, several times slower

  --percent P   the result is P percent as long as the source (150 = half as long again)
  --frames N    the result is exactly N frames long
  --speed V     the main window's speed value, 10 to 500: V percent as long, or with the linear
                engine a whole number of semitones, (V - 250) / 10 (+12 = twice as long, an
                octave down)
  --engine E    ola, linear or hq
  --linear      the same as --engine linear
  --block B     ola only: block length in frames (default: chosen from the ratio; 10 for
                ratios of about 9.9 and above)
  --hop H       ola only: hop between blocks as a fraction of the block length (default: from
                the ratio)
  --help        this text
)";

struct Options {
    std::string in, out;
    std::optional<double> percent;
    std::optional<std::int32_t> frames;
    std::optional<std::int32_t> speed;
    std::optional<StretchEngineKind> engine;
    std::int32_t block = 0;
    double hop = 0.0;
};

StretchEngineKind EngineByName(const std::string& name) {
    if (name == "ola") {
        return StretchEngineKind::Described;
    }
    if (name == "linear") {
        return StretchEngineKind::Linear;
    }
    if (name == "hq") {
        return StretchEngineKind::HighQuality;
    }
    throw UsageError("Unknown engine: " + name + " (ola, linear or hq)");
}

void TakeEngine(Options& options, StretchEngineKind engine) {
    if (options.engine && *options.engine != engine) {
        throw UsageError("Give one engine (see --help).");
    }
    options.engine = engine;
}

Options ParseOptions(int argc, char** argv) {
    Arguments args(argc, argv);
    Options options;
    std::vector<std::string> files;
    while (!args.Empty()) {
        const std::string arg = args.Take("argument");
        if (arg == "--help") {
            std::cout << Help;
            std::exit(0);
        } else if (arg == "--percent") {
            options.percent = args.TakeNumber("--percent");
        } else if (arg == "--frames") {
            options.frames = args.TakeInteger("--frames");
        } else if (arg == "--speed") {
            options.speed = args.TakeInteger("--speed");
        } else if (arg == "--engine") {
            TakeEngine(options, EngineByName(args.Take("--engine")));
        } else if (arg == "--linear") {
            TakeEngine(options, StretchEngineKind::Linear);
        } else if (arg == "--block") {
            options.block = args.TakeInteger("--block");
        } else if (arg == "--hop") {
            options.hop = args.TakeNumber("--hop");
        } else if (arg.starts_with("--")) {
            throw UsageError("Unknown option: " + arg + " (see --help)");
        } else {
            files.push_back(arg);
        }
    }
    const int lengths =
        options.percent.has_value() + options.frames.has_value() + options.speed.has_value();
    if (files.size() != 2 || lengths != 1) {
        throw UsageError(
            "Give IN, OUT.wav and one of --percent, --frames or --speed (see --help).");
    }
    if ((options.percent && !(*options.percent > 0.0 && std::isfinite(*options.percent))) ||
        (options.frames && *options.frames < 1) ||
        (options.speed && (*options.speed < 10 || *options.speed > 500))) {
        throw UsageError("The length must be positive (--speed: 10 to 500).");
    }
    if (options.block < 0 || options.hop < 0.0) {
        throw UsageError("--block and --hop must not be negative.");
    }
    if ((options.block != 0 || options.hop != 0.0) &&
        options.engine.value_or(StretchEngineKind::Described) != StretchEngineKind::Described) {
        throw UsageError("--block and --hop belong to the ola engine.");
    }
    options.in = files[0];
    options.out = files[1];
    return options;
}

// Shows "stage  NN%" on one line of a terminal, rewritten only when it changes.
class ProgressLine {
public:
    ProgressLine() : shown(::isatty(STDERR_FILENO) != 0) {}
    ~ProgressLine() {
        if (shown && !last.empty()) {
            std::cerr << '\n';
        }
    }

    void operator()(const std::string& stage, double fraction) {
        if (!shown) {
            return;
        }
        const std::string text =
            stage + " " + std::to_string(static_cast<int>(std::nearbyint(fraction * 100))) + "%";
        if (text != last) {
            std::cerr << "\r\033[K" << text << std::flush;
            last = text;
        }
    }

private:
    bool shown;
    std::string last;
};

// A new, empty file beside out for a song's decoded sound.
std::string ReserveDecodedFile(const std::string& out) {
    const std::filesystem::path target(out);
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    std::string name =
        (folder / ("." + target.filename().string() + ".decoded-XXXXXX.wav")).string();
    const int file = ::mkstemps(name.data(), 4);
    if (file < 0) {
        throw EFileStreamError("Cannot create a file beside " + out + ": " + std::strerror(errno));
    }
    ::close(file);
    return name;
}

void Stretch(const Options& options) {
    std::error_code ignored;
    if (std::filesystem::equivalent(options.in, options.out, ignored)) {
        throw UsageError("OUT.wav must not be the source itself.");
    }
    // Ctrl+C ends the work at its next report, which removes the decoded copy and OUT.wav.
    CatchInterrupt();
    const std::string decoded = ReserveDecodedFile(options.out);
    const StretchEngineKind kind = options.engine.value_or(StretchEngineKind::Described);
    StretchRequest request;
    request.Ratio = options.percent ? *options.percent / 100.0 : 0.0;
    if (options.speed) {
        request.Ratio = kind == StretchEngineKind::Linear ? SpeedToRatio(*options.speed)
                                                          : *options.speed / 100.0;
    }
    request.TargetFrames = options.frames.value_or(0);
    request.BlockLength = options.block;
    request.HopFactor = options.hop;

    ProgressLine progress;
    const ProgressCallback report = [&progress](const std::string& stage, double fraction) {
        if (Interrupted()) {
            throw InterruptedError();
        }
        progress(stage, fraction);
    };
    ExpandWaveFile(*MakeStretchEngine(kind), options.in, options.out, request, decoded, report);
}

} // namespace

int main(int argc, char** argv) {
    return RunTool([&] {
        Stretch(ParseOptions(argc, argv));
        return 0;
    });
}
