#include "audio/cda_media_player.h"
#include "audio/wave_player.h"
#include "platform/gui_thread.h"
#include "pulse_test.h"
#include "tests/support/wave_fixture.h"

#include <QElapsedTimer>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

const PcmWaveFormat Stereo16 = MakePcmWaveFormat(2, 44100, 16);

using SongRecordingThroughPulseAudio = PulseTest;

// The song player's output reaches the null sink, and the sink's monitor is the default input.
TEST_F(SongRecordingThroughPulseAudio, ThePlayedSongComesBackFromTheInputDevice) {
    ExpectPlayedNoiseComesBack(dir, [](const std::string& song) {
        TCDAMediaPlayer player;
        player.FileName = song;
        player.Open();
        player.Play();
        ASSERT_TRUE(
            WaitOnGuiThread([&] { return player.GetMode() == TMPModes::mpStopped; }, 10000));
    });
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
