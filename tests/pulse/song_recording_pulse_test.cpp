#include "audio/cda_media_player.h"
#include "audio/wave_player.h"
#include "platform/gui_thread.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wave_fixture.h"

#include <QElapsedTimer>
#include <QProcess>
#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

const PcmWaveFormat Stereo16 = MakePcmWaveFormat(2, 44100, 16);

class SongRecordingThroughPulseAudio : public testing::Test {
protected:
    void SetUp() override {
        if (std::getenv("QUAVREL_PULSE_TESTS") == nullptr) {
            GTEST_SKIP() << "needs the private PulseAudio of scripts/test.sh";
        }
    }
    TempDir dir;
};

// The song player's output reaches the null sink, and the sink's monitor is the default input.
TEST_F(SongRecordingThroughPulseAudio, ThePlayedSongComesBackFromTheInputDevice) {
    Bytes song(44100, 0); // a quarter second of silence, then noise
    const Bytes noise = Pattern(44100 * 4);
    song.insert(song.end(), noise.begin(), noise.end());
    WriteWave(dir.File("song.wav"), Stereo16, song);

    TWavePlayer recorder;
    recorder.SetFileName(dir.File("recording.wav"));
    recorder.RecordFormat = Stereo16;
    recorder.OpenNew();
    recorder.Record();
    TCDAMediaPlayer player;
    player.FileName = dir.File("song.wav");
    player.Open();
    player.Play();
    ASSERT_TRUE(WaitOnGuiThread([&] { return player.GetMode() == TMPModes::mpStopped; }, 10000));
    WaitOnGuiThread([] { return false; }, 800); // the monitor lags behind the sink
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

// A recording keeps its header current, so a killed recorder leaves a file that opens with
// everything but the last moments.
TEST_F(SongRecordingThroughPulseAudio, AKilledRecordingKeepsAllButTheLastSecond) {
    const Bytes song = Pattern(44100 * 4 * 10);
    WriteWave(dir.File("song.wav"), Stereo16, song);
    const std::string output = dir.File("killed.wav");
    QProcess recorder;
    recorder.setProgram(QUAVREL_RECORD_TOOL);
    recorder.setArguments({QString::fromStdString(output), "--source",
                           QString::fromStdString("song:" + dir.File("song.wav"))});
    recorder.start();
    ASSERT_TRUE(recorder.waitForStarted());
    QElapsedTimer running;
    running.start();
    WaitOnGuiThread([] { return false; }, 3000);
    recorder.kill();
    ASSERT_TRUE(recorder.waitForFinished());
    const double seconds = static_cast<double>(running.elapsed()) / 1000.0;

    TWavePlayer player;
    player.SetFileName(output);
    player.Open();
    const double recordedSeconds = player.DataSize() / 176400.0;
    EXPECT_GE(recordedSeconds, seconds - 1.5) << "start-up and the last second may be lost";
    EXPECT_LE(recordedSeconds, seconds);
    // What the header holds is the song itself, from its start.
    const Bytes file = ReadFile(output);
    ASSERT_GE(file.size(), 46u + static_cast<std::size_t>(player.DataSize()));
    EXPECT_TRUE(std::equal(file.begin() + 46, file.begin() + 46 + player.DataSize(), song.begin()));
}

} // namespace
