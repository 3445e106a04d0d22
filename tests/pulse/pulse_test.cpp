#include "pulse_test.h"

#include "audio/wave_player.h"
#include "tests/support/gui_wait.h"
#include "tests/support/required_environment.h"
#include "tests/support/wave_fixture.h"

#include <QElapsedTimer>
#include <algorithm>
#include <cstdlib>
#include <optional>

void PulseTest::SetUp() {
    const char* enabled = std::getenv("QUAVREL_PULSE_TESTS");
    QUAVREL_SKIP_UNLESS_PRESENT(enabled != nullptr && std::string(enabled) == "1",
                                "the private PulseAudio of scripts/test.sh");
}

namespace {

// Where the whole of `noise` begins in a recorded file, or nothing while it is not all there.
std::optional<std::size_t> WholeNoiseIn(const Bytes& file, const Bytes& noise) {
    constexpr std::size_t header = 46;
    if (file.size() < header) {
        return std::nullopt;
    }
    const auto recorded = file.begin() + header;
    const auto onset = std::search(recorded, file.end(), noise.begin(), noise.begin() + 64);
    if (static_cast<std::size_t>(file.end() - onset) < noise.size()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(onset - recorded);
}

} // namespace

void ExpectPlayedNoiseComesBack(const TempDir& dir,
                                const std::function<void(const std::string& song)>& play) {
    const PcmWaveFormat format = MakePcmWaveFormat(2, 44100, 16);
    Bytes song(44100, 0);
    const Bytes noise = Pattern(44100 * 4);
    song.insert(song.end(), noise.begin(), noise.end());
    WriteWave(dir.File("song.wav"), format, song);

    const std::string recording = dir.File("recording.wav");
    TWavePlayer recorder;
    recorder.SetFileName(recording);
    recorder.RecordFormat = format;
    recorder.OpenNew();
    recorder.Record();
    play(dir.File("song.wav"));
    // The monitor lags behind the sink by a varying amount, so recording goes on until the whole
    // noise is in the file, whose header is kept current while it grows.
    QElapsedTimer sinceLastLook;
    sinceLastLook.start();
    const bool complete = WaitOnGuiThread(
        [&] {
            if (sinceLastLook.elapsed() < 100) {
                return false;
            }
            sinceLastLook.restart();
            return WholeNoiseIn(ReadFile(recording), noise).has_value();
        },
        20000);
    recorder.Stop();
    recorder.Close();
    ASSERT_TRUE(complete) << "the whole noise was not recorded";

    const Bytes file = ReadFile(recording);
    const std::optional<std::size_t> onset = WholeNoiseIn(file, noise);
    ASSERT_TRUE(onset.has_value());
    EXPECT_TRUE(std::equal(noise.begin(), noise.end(), file.begin() + 46 + *onset));
}
