#include "audio/cda_media_player.h"
#include "platform/virtual_wave_device.h"
#include "tests/support/gui_events.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wave_fixture.h"
#include "tone_measure.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

const PcmWaveFormat Stereo16 = MakePcmWaveFormat(2, 44100, 16);
constexpr double Tone = 441.0;

// A song of a 441 Hz sine played at a tempo on the virtual output device.
class MediaPlayerTempoTest : public testing::Test {
protected:
    void SetUp() override {
        const std::vector<std::int16_t> sine = StereoSine(44100 * 8, Tone, 0.5);
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(sine.data());
        WriteWave(dir.File("song.wav"), Stereo16, Bytes(bytes, bytes + sine.size() * 2));
        song.FileName = dir.File("song.wav");
        song.Open();
        song.SetTimeFormat(tfMilliseconds);
    }

    // Lets the song be heard `frames` output frames further.
    void Hear(std::int64_t frames) {
        std::int64_t bytes = frames * 4;
        while (bytes > 0) {
            const std::int64_t n = devices.Output()->Advance(std::min<std::int64_t>(bytes, 4000));
            ProcessGuiEvents();
            ASSERT_GT(n, 0);
            bytes -= n;
        }
    }

    // The first output frame from `from` on (counted in what the device played) from which the
    // tone stands at `frequency`, within 10 Hz over 10 ms.
    std::int64_t FrameAtFrequency(std::int64_t from, double frequency) const {
        std::vector<std::int16_t> played(devices.played.size() / 2);
        std::memcpy(played.data(), devices.played.data(), played.size() * 2);
        const auto frames = static_cast<std::int64_t>(played.size() / 2);
        for (std::int64_t at = from; at + 441 <= frames; at += 10) {
            if (std::abs(ToneFrequency(FirstChannel(played, at, 441), 44100.0) - frequency) < 10) {
                return at;
            }
        }
        return frames;
    }

    VirtualWaveDevices devices;
    TempDir dir;
    TCDAMediaPlayer song;
};

class MediaPlayerSpeedTest : public MediaPlayerTempoTest,
                             public testing::WithParamInterface<int> {};

// The position is the song's own time of what is heard: the heard frames at the speed, from the
// start, right after a seek while playing and right after a loop's wrap.
TEST_P(MediaPlayerSpeedTest, PositionsFollowTheHeardFrames) {
    const double speed = GetParam() / 100.0;
    const auto msOf = [&](std::int64_t outputFrames) {
        return double(outputFrames) * speed * 1000.0 / 44100.0;
    };
    song.SetTempo({speed, 0, TStretchEngine::Finer});
    song.SetPosition(1000);
    song.Play();
    Hear(30000);
    EXPECT_NEAR(song.GetPosition(), 1000 + msOf(30000), 5.0);
    EXPECT_NEAR(double(song.HeardBytes()), double(std::llround(30000 * speed) * 4), 4.0);

    song.SetPositionWithMethod(3000);
    Hear(5000);
    EXPECT_NEAR(song.GetPosition(), 3000 + msOf(5000), 5.0);

    song.SetLoop(2500, 3600);
    while (song.LoopPasses() == 0) {
        Hear(100);
    }
    const std::int32_t wrapped = song.GetPosition();
    EXPECT_NEAR(wrapped, 2500, msOf(100) + 5.0);
    Hear(20000);
    EXPECT_NEAR(song.GetPosition(), wrapped + msOf(20000), 5.0);
    EXPECT_EQ(song.LoopPasses(), 1);
}

INSTANTIATE_TEST_SUITE_P(HalfAndOneAndAHalf, MediaPlayerSpeedTest, testing::Values(50, 150),
                         [](const testing::TestParamInfo<int>& info) {
                             return std::to_string(info.param) + "Percent";
                         });

// A new transpose while the song plays stretched is heard within 150 ms of output; from the
// plain path the song starts again where it is heard, at once in the new sound.
TEST_F(MediaPlayerTempoTest, ANewTempoIsHeardWithin150Milliseconds) {
    for (const double speed : {1.0, 0.5}) {
        song.SetTempo({speed, 0, TStretchEngine::Finer});
        song.SetPosition(1000);
        song.Play();
        Hear(22050);
        const auto changed = static_cast<std::int64_t>(devices.played.size() / 4);
        song.SetTempo({0.5, 1200, TStretchEngine::Finer});
        Hear(22050);
        EXPECT_LE(FrameAtFrequency(changed, 2 * Tone) - changed, 44100 * 150 / 1000)
            << "from speed " << speed;
        song.Stop();
    }
}

} // namespace
