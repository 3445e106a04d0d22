#include "audio/cda_media_player.h"
#include "audio/little_endian.h"
#include "audio/wave_player.h"
#include "pulse_test.h"
#include "tests/support/gui_wait.h"
#include "tests/support/wave_fixture.h"

#include <QProcess>
#include <fstream>
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
// everything that its header had announced.
TEST_F(SongRecordingThroughPulseAudio, AKilledRecordingKeepsWhatItsHeaderAnnounced) {
    const Bytes song = Pattern(44100 * 4 * 10);
    WriteWave(dir.File("song.wav"), Stereo16, song);
    const std::string output = dir.File("killed.wav");
    QProcess recorder;
    recorder.setProgram(QUAVREL_RECORD_TOOL);
    recorder.setArguments({QString::fromStdString(output), "--source",
                           QString::fromStdString("song:" + dir.File("song.wav"))});
    recorder.start();
    ASSERT_TRUE(recorder.waitForStarted());
    // The data length stands at byte 42 of the 46-byte header the recorder writes.
    const auto announcedBytes = [&] {
        std::uint8_t header[46] = {};
        std::ifstream file(output, std::ios::binary);
        file.read(reinterpret_cast<char*>(header), sizeof header);
        return file ? GetU32(header + 42) : std::uint32_t{0};
    };
    std::uint32_t announced = 0;
    ASSERT_TRUE(WaitOnGuiThread(
        [&] {
            announced = announcedBytes();
            return announced >= 2 * 176400;
        },
        30000))
        << "two seconds were not recorded";
    recorder.kill();
    ASSERT_TRUE(recorder.waitForFinished());

    TWavePlayer player;
    player.SetFileName(output);
    player.Open();
    EXPECT_GE(static_cast<std::uint32_t>(player.DataSize()), announced);
    // What the header holds is the song itself, from its start.
    const Bytes file = ReadFile(output);
    ASSERT_GE(file.size(), 46u + static_cast<std::size_t>(player.DataSize()));
    EXPECT_TRUE(std::equal(file.begin() + 46, file.begin() + 46 + player.DataSize(), song.begin()));
}

} // namespace
