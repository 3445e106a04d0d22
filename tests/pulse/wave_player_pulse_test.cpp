#include "audio/wave_player.h"
#include "platform/gui_thread.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wave_fixture.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

// What the player sends to the private null sink comes back from its monitor, bit for bit at
// 44100 Hz: record the monitor with one player while another plays a file.
TEST(WavePlayerThroughPulseAudio, PlayedFileComesBackFromTheMonitor) {
    if (std::getenv("QUAVREL_PULSE_TESTS") == nullptr) {
        GTEST_SKIP() << "needs the private PulseAudio of scripts/test.sh";
    }
    const PcmWaveFormat format = MakePcmWaveFormat(2, 44100, 16);
    TempDir dir;
    Bytes song(44100 * 4 / 4, 0); // a quarter second of silence, then noise
    const Bytes noise = Pattern(44100 * 4);
    song.insert(song.end(), noise.begin(), noise.end());
    WriteWave(dir.File("song.wav"), format, song);

    TWavePlayer recorder;
    recorder.SetFileName(dir.File("recording.wav"));
    recorder.RecordFormat = format;
    recorder.OpenNew();
    recorder.Record();

    TWavePlayer player;
    player.SetFileName(dir.File("song.wav"));
    player.Open();
    player.Play();
    ASSERT_TRUE(
        WaitOnGuiThread([&] { return player.GetState() == TWavePlayer::StateStopped; }, 10000));
    // The monitor lags behind the sink by up to a few hundred milliseconds.
    WaitOnGuiThread([] { return false; }, 800);
    recorder.Stop();
    recorder.Close();

    const Bytes file = ReadFile(dir.File("recording.wav"));
    const Bytes recorded(file.begin() + 46, file.end());
    const auto onset =
        std::search(recorded.begin(), recorded.end(), noise.begin(), noise.begin() + 64);
    ASSERT_NE(onset, recorded.end()) << "the start of the noise was not recorded";
    const auto available = static_cast<std::size_t>(recorded.end() - onset);
    ASSERT_GE(available, noise.size());
    EXPECT_TRUE(std::equal(noise.begin(), noise.end(), onset));
}

} // namespace
