#include "audio/cda_media_player.h"
#include "audio/record_source.h"
#include "audio/wave_player.h"
#include "platform/application_error.h"
#include "platform/virtual_wave_device.h"
#include "tests/support/disc_image.h"
#include "tests/support/gui_events.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wave_fixture.h"

#include <gtest/gtest.h>

namespace {

const PcmWaveFormat Stereo16 = MakePcmWaveFormat(2, 44100, 16);

// Records what a song plays while the virtual output device plays it.
class SongRecordingTest : public testing::Test {
protected:
    void OpenSong(const std::string& path) {
        song.FileName = path;
        song.Open();
        song.SetTimeFormat(tfMilliseconds);
    }

    void StartRecording(const PcmWaveFormat& format) {
        recorder.SetFileName(recording);
        recorder.RecordFormat = format;
        recorder.OpenNew();
        recorder.Record();
    }

    // Lets the song be heard `bytes` further.
    void Hear(std::int64_t bytes) {
        while (bytes > 0) {
            const std::int64_t n = devices.Output()->Advance(std::min<std::int64_t>(bytes, 5000));
            ProcessGuiEvents();
            ASSERT_GT(n, 0);
            bytes -= n;
        }
    }

    Bytes StopRecording() {
        recorder.Stop();
        ProcessGuiEvents();
        recorder.Close();
        const Bytes file = ReadFile(recording);
        EXPECT_EQ(U32At(file, 4), file.size() - 8);
        EXPECT_EQ(U32At(file, 42), file.size() - 46);
        return Bytes(file.begin() + 46, file.end());
    }

    VirtualWaveDevices devices;
    TempDir dir;
    std::string recording = dir.File("tmp42.wav");
    TCDAMediaPlayer song;
    TSongRecordSource source{song};
    TWavePlayer recorder;
};

TEST_F(SongRecordingTest, AWaveSongIsRecordedBitForBitAcrossASeek) {
    const Bytes samples = Pattern(400000 * 4);
    WriteWave(dir.File("song.wav"), Stereo16, samples);
    OpenSong(dir.File("song.wav"));
    song.SetPosition(1000);
    song.Play();
    Hear(3000); // heard before the recording starts: not recorded
    StartRecording(Stereo16);
    Hear(70001 * 4);
    song.SetPositionWithMethod(5000); // a memory card jumps back
    Hear(50000 * 4);
    const std::size_t first = (44100 + 750) * 4;
    Bytes expected(samples.begin() + first, samples.begin() + first + 70001 * 4);
    expected.insert(expected.end(), samples.begin() + 220500 * 4,
                    samples.begin() + (220500 + 50000) * 4);
    EXPECT_EQ(StopRecording(), expected);
}

// Whatever the user listens at, the recording is the song's own sound: at half speed across a
// seek and a loop's wrap, bit for bit.
TEST_F(SongRecordingTest, AtHalfSpeedTheSongItselfIsRecordedAcrossASeekAndAWrap) {
    const Bytes samples = Pattern(400000 * 4);
    WriteWave(dir.File("song.wav"), Stereo16, samples);
    OpenSong(dir.File("song.wav"));
    song.SetTempo({0.5, 0, TStretchEngine::Finer});
    song.SetPosition(1000);
    song.Play();
    Hear(750 * 4); // 375 frames of the song, heard before the recording starts
    StartRecording(Stereo16);
    Hear(70001 * 4); // up to output frame 70751: song frame 35376 from the start
    song.SetLoop(5000, 5500);
    song.SetPositionWithMethod(5000);
    Hear(50000 * 4); // a whole pass of 44100 frames, then 2950 song frames again
    const auto frames = [&](std::size_t from, std::size_t count) {
        return Bytes(samples.begin() + from * 4, samples.begin() + (from + count) * 4);
    };
    Bytes expected = frames(44100 + 375, 35376 - 375);
    const Bytes pass = frames(220500, 22050);
    expected.insert(expected.end(), pass.begin(), pass.end());
    const Bytes again = frames(220500, 2950);
    expected.insert(expected.end(), again.begin(), again.end());
    EXPECT_EQ(StopRecording(), expected);
    EXPECT_EQ(song.LoopPasses(), 1);
}

TEST_F(SongRecordingTest, ADiscIsRecordedFromWhereItIsHeard) {
    DiscImage disc(dir.Path(), {100, 100});
    OpenSong(disc.cuePath);
    song.GoToTrack(2);
    song.Play();
    StartRecording(Stereo16);
    Hear(30000 * 4);
    Bytes expected;
    for (std::int64_t frame = 100 * 588; frame < 100 * 588 + 30000; ++frame) {
        const auto one = disc.FrameAt(frame);
        expected.insert(expected.end(), one.begin(), one.end());
    }
    EXPECT_EQ(StopRecording(), expected);
}

TEST_F(SongRecordingTest, OtherFormatsAreConverted) {
    // A 1 kHz square wave at full scale, half a second.
    Bytes samples;
    for (int frame = 0; frame < 22050; ++frame) {
        const std::int16_t value = (frame / 22) % 2 == 0 ? 16000 : -16000;
        for (int channel = 0; channel < 2; ++channel) {
            samples.push_back(static_cast<std::uint8_t>(value & 0xFF));
            samples.push_back(static_cast<std::uint8_t>(value >> 8));
        }
    }
    WriteWave(dir.File("song.wav"), Stereo16, samples);
    OpenSong(dir.File("song.wav"));
    song.Play();
    StartRecording(MakePcmWaveFormat(1, 22050, 8));
    Hear(static_cast<std::int64_t>(samples.size()));
    const Bytes recorded = StopRecording();
    // Half the frames at half the rate, minus the resampler's delay.
    EXPECT_NEAR(static_cast<double>(recorded.size()), 11025.0, 64.0);
    int high = 0;
    int low = 0;
    for (const std::uint8_t sample : recorded) {
        high += sample > 128 + 40;
        low += sample < 128 - 40;
    }
    EXPECT_GT(high, 4000);
    EXPECT_GT(low, 4000);
}

// Pausing near the end (after the last fill) and a start that fails half-way must neither count
// unheard sound as heard nor leave it in the recording.
TEST_F(SongRecordingTest, PausesAndFailedStartsRecordOnlyWhatWasHeard) {
    const Bytes samples = Pattern(60000 * 4);
    WriteWave(dir.File("song.wav"), Stereo16, samples);
    OpenSong(dir.File("song.wav"));
    song.SetPosition(1000);
    devices.queueError = "the device went away";
    EXPECT_THROW(song.Play(), EMCIDeviceError);
    EXPECT_EQ(song.GetMode(), TMPModes::mpStopped);
    devices.queueError.clear();
    StartRecording(Stereo16);
    song.Play();
    Hear(3000 * 4);
    song.Pause();
    ProcessGuiEvents();
    song.Pause();
    Hear((60000 - 44100 - 3000) * 4);
    ProcessGuiEvents();
    EXPECT_EQ(song.GetMode(), TMPModes::mpStopped);
    EXPECT_EQ(StopRecording(), Bytes(samples.begin() + 44100 * 4, samples.end()));
}

// A device that fails while the song plays ends the run: the song stops and plays again.
TEST_F(SongRecordingTest, ADeviceErrorStopsTheSong) {
    std::string reported;
    const ScopedApplicationErrorHandler handler(
        [&](const std::exception& error) { reported = error.what(); });
    WriteWave(dir.File("song.wav"), Stereo16, Pattern(200000 * 4));
    OpenSong(dir.File("song.wav"));
    song.Play();
    devices.queueError = "the device went away";
    Hear(32768);
    ProcessGuiEvents();
    EXPECT_EQ(reported, "the device went away");
    EXPECT_EQ(song.GetMode(), TMPModes::mpStopped);
    devices.queueError.clear();
    song.Play();
    EXPECT_EQ(song.GetMode(), TMPModes::mpPlaying);
}

} // namespace
