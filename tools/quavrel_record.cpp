// quavrel-record: records what a song plays, or the default input device, into a WAVE file.
#include "audio/cda_media_player.h"
#include "audio/record_source.h"
#include "audio/recording_formats.h"
#include "audio/wave_player.h"
#include "platform/file_stream.h"
#include "tool_support.h"

#include <QCoreApplication>
#include <iostream>
#include <memory>
#include <optional>

namespace {

const char* const Usage =
    "Usage: quavrel-record OUT.wav [--format INDEX] [--seconds S]"
    " [--source input | --source song:SONG[@FROM_MS]]\n"
    "       quavrel-record --list-formats [--source input | --source song:SONG]";

struct Options {
    std::string output;
    bool listFormats = false;
    std::optional<std::int32_t> format;
    std::optional<double> seconds;
    std::string song; // empty: the default input device
    std::int32_t from = 0;
};

void ParseSource(const std::string& source, Options& options) {
    if (source == "input") {
        return;
    }
    if (!source.starts_with("song:") || source.size() == 5) {
        throw UsageError("Unknown source: " + source + "\n" + Usage);
    }
    options.song = source.substr(5);
    // "@" followed by digits alone is a start position; any other "@" belongs to the path.
    const auto at = options.song.rfind('@');
    if (at != std::string::npos && at + 1 < options.song.size() && at + 10 > options.song.size() &&
        options.song.find_first_not_of("0123456789", at + 1) == std::string::npos) {
        options.from = std::stoi(options.song.substr(at + 1));
        options.song.resize(at);
    }
}

Options ParseOptions(int argc, char** argv) {
    Arguments args(argc, argv);
    Options options;
    while (!args.Empty()) {
        const std::string arg = args.Take("argument");
        if (arg == "--list-formats") {
            options.listFormats = true;
        } else if (arg == "--format") {
            options.format = args.TakeInteger("--format");
        } else if (arg == "--seconds") {
            options.seconds = args.TakeNumber("--seconds");
        } else if (arg == "--source") {
            ParseSource(args.Take("--source"), options);
        } else if (arg.starts_with("--") || !options.output.empty()) {
            throw UsageError("Unknown argument: " + arg + "\n" + Usage);
        } else {
            options.output = arg;
        }
    }
    if (options.output.empty() != options.listFormats) {
        throw UsageError(Usage);
    }
    return options;
}

PcmWaveFormat ChosenFormat(const Options& options) {
    const auto& formats = SupportedRecordingFormats();
    if (formats.empty()) {
        throw Exception("The recording device supports no standard format.");
    }
    const auto index = options.format.value_or(static_cast<std::int32_t>(formats.size()) - 1);
    if (index < 0 || index >= static_cast<std::int32_t>(formats.size())) {
        throw Exception("There is no recording format " + std::to_string(index) +
                        "; see --list-formats.");
    }
    return formats[static_cast<std::size_t>(index)].Format;
}

// Records until the song ends, --seconds of sound are in, the recorder stops or Ctrl+C, and
// closes the file; false when anything failed on the way, including what devices report about
// the last buffers once the loop has ended.
bool RecordToTheEnd(TWavePlayer& recorder, const Options& options, TCDAMediaPlayer* song) {
    const ToolErrorScope errors;
    if (song != nullptr) {
        song->SetPositionWithMethod(options.from);
    }
    recorder.Record();
    if (song != nullptr) {
        song->Play();
    }
    // --seconds counts recorded sound, not time: a sound server may take seconds to wake its
    // sink or its source, and the recording must still be as long as asked.
    const int exitCode = RunEventLoop(64, [&] {
        const bool enough = options.seconds && recorder.GetPosition() >= *options.seconds * 1000;
        const bool songEnded = song != nullptr && song->GetMode() != TMPModes::mpPlaying;
        return !enough && !songEnded && recorder.GetState() == TWavePlayer::StateRecording;
    });
    // Stop the recording first, so that it ends where the song was heard last.
    recorder.Stop();
    QCoreApplication::processEvents();
    if (song != nullptr) {
        song->Stop();
    }
    recorder.Close();
    return exitCode == 0 && !errors.Failed();
}

// Whether the closed recording holds any sound; says so when it does not, since an empty file
// is no recording.
bool HoldsSound(TWavePlayer& recorder) {
    recorder.Open();
    const std::int32_t bytes = recorder.DataSize();
    recorder.Close();
    if (bytes == 0) {
        std::cerr << "Nothing was recorded.\n";
    }
    return bytes > 0;
}

// Removes a recording the tool could not finish.
void Discard(TWavePlayer& recorder, const std::string& path) {
    try {
        recorder.Close();
    } catch (const std::exception&) {
        // The file goes anyway.
    }
    FileStream::Delete(path);
}

// The tool ends with a whole recording or none: a failure leaves no part of one behind.
int Record(const Options& options, TCDAMediaPlayer* song) {
    TWavePlayer recorder;
    recorder.SetFileName(options.output);
    recorder.RecordFormat = ChosenFormat(options);
    recorder.OpenNew();
    bool kept = false;
    try {
        kept = RecordToTheEnd(recorder, options, song) && HoldsSound(recorder);
    } catch (...) {
        Discard(recorder, options.output);
        throw;
    }
    if (!kept) {
        Discard(recorder, options.output);
    }
    return kept ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    return RunTool([&] {
        const Options options = ParseOptions(argc, argv);
        std::unique_ptr<TCDAMediaPlayer> song;
        std::unique_ptr<TSongRecordSource> source;
        if (!options.song.empty()) {
            song = std::make_unique<TCDAMediaPlayer>();
            song->FileName = options.song;
            song->Open();
            song->SetTimeFormat(tfMilliseconds);
            source = std::make_unique<TSongRecordSource>(*song);
        }
        ReadRecordingCapabilities();
        if (options.listFormats) {
            const auto& formats = SupportedRecordingFormats();
            for (std::size_t index = 0; index < formats.size(); ++index) {
                std::cout << index << ' ' << formats[index].Caption << '\n';
            }
            return 0;
        }
        return Record(options, song.get());
    });
}
