#include "pulse_test.h"

#include "audio/wave_player.h"
#include "platform/gui_thread.h"
#include "tests/support/wave_fixture.h"

#include <algorithm>
#include <cstdlib>

void PulseTest::SetUp() {
    const char* enabled = std::getenv("QUAVREL_PULSE_TESTS");
    if (enabled == nullptr || std::string(enabled) != "1") {
        GTEST_SKIP() << "needs the private PulseAudio of scripts/test.sh";
    }
}

void ExpectPlayedNoiseComesBack(const TempDir& dir,
                                const std::function<void(const std::string& song)>& play) {
    const PcmWaveFormat format = MakePcmWaveFormat(2, 44100, 16);
    Bytes song(44100, 0);
    const Bytes noise = Pattern(44100 * 4);
    song.insert(song.end(), noise.begin(), noise.end());
    WriteWave(dir.File("song.wav"), format, song);

    TWavePlayer recorder;
    recorder.SetFileName(dir.File("recording.wav"));
    recorder.RecordFormat = format;
    recorder.OpenNew();
    recorder.Record();
    play(dir.File("song.wav"));
    // The monitor lags behind the sink by up to a few hundred milliseconds.
    WaitOnGuiThread([] { return false; }, 800);
    recorder.Stop();
    recorder.Close();

    const Bytes file = ReadFile(dir.File("recording.wav"));
    const Bytes recorded(file.begin() + 46, file.end());
    const auto onset =
        std::search(recorded.begin(), recorded.end(), noise.begin(), noise.begin() + 64);
    ASSERT_NE(onset, recorded.end()) << "the start of the noise was not recorded";
    ASSERT_GE(static_cast<std::size_t>(recorded.end() - onset), noise.size());
    EXPECT_TRUE(std::equal(noise.begin(), noise.end(), onset));
}
