#include "audio/wave_player.h"
#include "platform/application_error.h"
#include "platform/virtual_wave_device.h"
#include "tests/support/gui_events.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wave_fixture.h"

#include <gtest/gtest.h>

namespace {

constexpr int BufferSize = TDoubleBufferingPlayer::BufferSize;
const PcmWaveFormat Stereo16 = MakePcmWaveFormat(2, 44100, 16);
const PcmWaveFormat Mono8 = MakePcmWaveFormat(1, 11025, 8);

// Whole frames of a format: its bytes of `ms` milliseconds, rounded down as the player rounds,
// and the milliseconds the player reports for a byte position.
struct FormatUnits {
    const PcmWaveFormat& format;

    std::int64_t BytesPerSecond() const {
        return std::int64_t{format.samplesPerSec} * format.blockAlign;
    }
    std::int64_t BytesOf(std::int32_t ms) const {
        const std::int64_t bytes = ms * BytesPerSecond() / 1000;
        return bytes - bytes % format.blockAlign;
    }
    std::int32_t MsOf(std::int64_t bytes) const {
        return static_cast<std::int32_t>(bytes * 1000 / BytesPerSecond());
    }
};

class WavePlayerTest : public testing::Test {
protected:
    void OpenWith(const Bytes& data, const PcmWaveFormat& format = Stereo16) {
        WriteWave(path, format, data);
        player.SetFileName(path);
        player.Open();
    }

    // Lets the output device run `bytes` further, refilling as the player does.
    void Run(std::int64_t bytes) {
        while (bytes > 0 && devices.Output() != nullptr) {
            const std::int64_t n = devices.Output()->Advance(bytes);
            ProcessGuiEvents();
            bytes -= n;
            if (n == 0) {
                break;
            }
        }
    }

    // What the device plays first once the player plays again from where it stands.
    Bytes PlayedNext(std::int64_t bytes) {
        devices.played.clear();
        player.Play();
        Run(bytes);
        return devices.played;
    }

    // The message of the error Play fails with, or "" when it does not fail.
    std::string PlayError() {
        try {
            player.Play();
        } catch (const EDoubleBufferingPlayerError& error) {
            return error.Message();
        }
        return "";
    }

    VirtualWaveDevices devices;
    TempDir dir;
    std::string path = dir.File("cassette.wav");
    TWavePlayer player;
};

TEST_F(WavePlayerTest, PlaysTheWholeFileThenRewindsAndStops) {
    const Bytes data = Pattern(3 * BufferSize + 1000);
    OpenWith(data);
    player.Play();
    EXPECT_EQ(player.GetState(), TWavePlayer::StatePlaying);
    Run(static_cast<std::int64_t>(data.size()));
    EXPECT_EQ(devices.played, data);
    EXPECT_EQ(player.GetState(), TWavePlayer::StateStopped);
    EXPECT_EQ(player.GetPosition(), 0);
}

TEST_F(WavePlayerTest, NothingToPlayEndsAtOnce) {
    const struct {
        const char* name;
        std::int32_t from, repeatStart, repeatEnd;
        bool repeat;
    } cases[] = {
        {"at the end", 1000, 0, 1000, false},
        {"empty repeat range", 500, 500, 500, true},
    };
    OpenWith(Pattern(176400));
    for (const auto& c : cases) {
        player.SetRepeatStart(c.repeatStart);
        player.SetRepeatEnd(c.repeatEnd);
        player.RepeatEnabled = c.repeat;
        player.SetPosition(c.from);
        player.Play();
        ProcessGuiEvents();
        EXPECT_EQ(player.GetState(), TWavePlayer::StateStopped) << c.name;
        EXPECT_EQ(player.GetPosition(), 0) << c.name;
        EXPECT_TRUE(devices.played.empty()) << c.name;
    }
}

TEST_F(WavePlayerTest, LoopPointsFallOnBufferBoundaries) {
    const Bytes data = Pattern(176400 * 2);
    OpenWith(data);
    player.SetRepeatStart(100); // byte 17640
    player.SetRepeatEnd(600);   // byte 105840: 88200 bytes, 2 full buffers and 22664 over
    player.RepeatEnabled = true;
    player.SetPosition(100);
    player.Play();
    Run(3 * 88200);

    Bytes expected;
    for (int loop = 0; loop < 3; ++loop) {
        expected.insert(expected.end(), data.begin() + 17640, data.begin() + 105840);
    }
    EXPECT_EQ(devices.played, expected);
    EXPECT_GE(player.GetPosition(), 100);
    EXPECT_LE(player.GetPosition(), 600);
}

TEST_F(WavePlayerTest, RepeatRangeKeepsItsOrderAndStaysInsideTheData) {
    OpenWith(Pattern(176400)); // 1000 ms
    player.SetRepeatStart(400);
    player.SetRepeatEnd(300);
    EXPECT_EQ(player.GetRepeatStart(), 300);
    EXPECT_EQ(player.GetRepeatEnd(), 300);
    player.SetRepeatStart(700);
    EXPECT_EQ(player.GetRepeatEnd(), 700);
    player.SetRepeatEnd(5000);
    EXPECT_EQ(player.GetRepeatEnd(), 1000);
    player.SetRepeatStart(-50);
    EXPECT_EQ(player.GetRepeatStart(), 0);
}

TEST_F(WavePlayerTest, PositionsAreWholeFrames) {
    const Bytes data = Pattern(BufferSize);
    OpenWith(data);
    player.SetPosition(1); // 176.4 bytes on 44100 Hz 16-bit stereo
    player.Play();
    Run(4);
    EXPECT_EQ(devices.played, Bytes(data.begin() + 176, data.begin() + 180));
}

TEST_F(WavePlayerTest, StopReturnsToThePositionHeard) {
    OpenWith(Pattern(176400 * 3));
    player.SetPosition(500);
    player.Play();
    Run(176400 / 4); // 250 ms heard; the buffers were filled well ahead of that
    EXPECT_EQ(player.GetPosition(), 750);
    player.Stop();
    ProcessGuiEvents();
    EXPECT_EQ(player.GetState(), TWavePlayer::StateStopped);
    EXPECT_EQ(player.GetPosition(), 750);
}

// The loop point is heard only once the buffers queued before it have played: until then the
// position runs on towards the range end, and a Stop just after it lands on the frame heard. A
// frame count that is no whole number of milliseconds shows that Stop keeps the exact frame.
TEST_F(WavePlayerTest, PositionAndStopFollowTheLoopPointAsHeard) {
    for (const PcmWaveFormat& format : {Stereo16, Mono8}) {
        SCOPED_TRACE(format.samplesPerSec);
        const FormatUnits units{format};
        // A range of two and a half buffers: the loop point lies inside the third buffer.
        const std::int32_t startMs = 100;
        const std::int32_t endMs =
            startMs + static_cast<std::int32_t>(BufferSize * 5 / 2 * 1000 / units.BytesPerSecond());
        const std::int64_t start = units.BytesOf(startMs);
        const std::int64_t end = units.BytesOf(endMs);
        const std::int64_t frames = 1000 * format.blockAlign;
        const Bytes data = Pattern(static_cast<std::size_t>(end + units.BytesPerSecond()));
        OpenWith(data, format);
        player.SetRepeatStart(startMs);
        player.SetRepeatEnd(endMs);
        player.RepeatEnabled = true;
        player.SetPosition(startMs);
        player.Play();

        Run(end - start - frames);
        EXPECT_EQ(player.GetPosition(), units.MsOf(end - frames)) << "before the loop point";
        Run(2 * frames);
        EXPECT_EQ(player.GetPosition(), units.MsOf(start + frames)) << "after the loop point";
        Run(end - start);
        EXPECT_EQ(player.GetPosition(), units.MsOf(start + frames)) << "a loop later";

        player.Stop();
        ProcessGuiEvents();
        EXPECT_EQ(player.GetPosition(), units.MsOf(start + frames));
        EXPECT_EQ(PlayedNext(64),
                  Bytes(data.begin() + start + frames, data.begin() + start + frames + 64));
        player.Close();
    }
}

// A new place set while playing is heard after the two buffers already queued.
TEST_F(WavePlayerTest, PositionSetWhilePlayingIsReportedOnceHeard) {
    for (const PcmWaveFormat& format : {Stereo16, Mono8}) {
        SCOPED_TRACE(format.samplesPerSec);
        const FormatUnits units{format};
        const std::int64_t frames = 1000 * format.blockAlign;
        const Bytes data = Pattern(4 * BufferSize);
        OpenWith(data, format);
        player.Play();
        Run(frames);
        player.SetPosition(500);
        const std::int64_t target = units.BytesOf(500);
        EXPECT_EQ(player.GetPosition(), units.MsOf(frames)) << "just after the seek";
        Run(2 * BufferSize - 2 * frames);
        EXPECT_EQ(player.GetPosition(), units.MsOf(2 * BufferSize - frames))
            << "the last of the queued buffers";
        Run(2 * frames);
        EXPECT_EQ(player.GetPosition(), units.MsOf(target + frames)) << "the new place";

        player.Stop();
        ProcessGuiEvents();
        EXPECT_EQ(PlayedNext(64),
                  Bytes(data.begin() + target + frames, data.begin() + target + frames + 64));
        player.Close();
    }
}

// Stopping just past a buffer boundary once moved the position back into recorded data, and the
// last buffer overwrote it.
TEST_F(WavePlayerTest, RecordingWritesExactlyWhatTheDeviceDelivered) {
    player.SetFileName(path);
    player.RecordFormat = Stereo16;
    player.OpenNew();
    player.Record();
    ASSERT_NE(devices.Input(), nullptr);
    devices.Input()->Advance(BufferSize + 40);
    ProcessGuiEvents();
    // The header already holds the first buffer, should the program die now.
    const Bytes meanwhile = ReadFile(path);
    EXPECT_EQ(U32At(meanwhile, 42), static_cast<std::uint32_t>(BufferSize));
    EXPECT_EQ(U32At(meanwhile, 4), meanwhile.size() - 8);
    const std::int32_t position = player.GetPosition();
    player.SetPosition(0); // does nothing while recording
    EXPECT_EQ(player.GetPosition(), position);
    player.Stop();
    ProcessGuiEvents();
    EXPECT_EQ(player.GetLength(), (BufferSize + 40) * 1000 / 176400);
    EXPECT_EQ(player.GetPosition(), player.GetLength());
    player.Close();

    Bytes expected(BufferSize + 40);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        expected[i] = devices.inputSignal(static_cast<std::int64_t>(i));
    }
    const Bytes file = ReadFile(path);
    EXPECT_EQ(U32At(file, 42), expected.size());
    EXPECT_EQ(U32At(file, 4), file.size() - 8);
    EXPECT_EQ(Bytes(file.begin() + 46, file.end()), expected);
}

TEST_F(WavePlayerTest, DeviceThatCannotOpenLeavesThePlayerStopped) {
    OpenWith(Pattern(1000));
    devices.openError = "device busy";
    EXPECT_EQ(PlayError(), "device busy");
    EXPECT_EQ(player.GetState(), TWavePlayer::StateStopped);
    devices.openError.clear();
    player.Play();
    EXPECT_EQ(player.GetState(), TWavePlayer::StatePlaying);
}

TEST_F(WavePlayerTest, NonPcmFileIsNotPlayed) {
    PcmWaveFormat adpcm = Stereo16;
    adpcm.formatTag = 2;
    OpenWith(Pattern(1000), adpcm);
    EXPECT_EQ(PlayError(), "not supported type");
    EXPECT_EQ(player.GetState(), TWavePlayer::StateStopped);
}

TEST_F(WavePlayerTest, ErrorWhileRecyclingBuffersIsRaisedAfterwards) {
    std::string reported;
    {
        const ScopedApplicationErrorHandler handler([&](const std::exception& error) {
            if (dynamic_cast<const EDoubleBufferingPlayerError*>(&error)) {
                reported = error.what();
            }
        });
        OpenWith(Pattern(4 * BufferSize));
        player.Play();
        devices.queueError = "device went away";
        Run(BufferSize);
    }

    EXPECT_EQ(reported, "device went away");
    EXPECT_EQ(player.GetState(), TWavePlayer::StateStopped);
}

TEST_F(WavePlayerTest, SetStateReentersARememberedState) {
    OpenWith(Pattern(4 * BufferSize));
    player.SetState(TWavePlayer::StatePlaying);
    EXPECT_EQ(player.GetState(), TWavePlayer::StatePlaying);
    player.SetState(4);
    EXPECT_EQ(player.GetState(), TWavePlayer::StatePlaying);
    player.SetState(TWavePlayer::StateStopped);
    EXPECT_EQ(player.GetState(), TWavePlayer::StateStopped);
    player.SetState(TWavePlayer::StateClosed);
    EXPECT_EQ(player.GetState(), TWavePlayer::StateClosed);
    EXPECT_EQ(player.GetLength(), 0);
}

TEST(DoubleBufferingPlayerTest, KeepsTwoBuffersInFlightCountingFromOne) {
    VirtualWaveDevices devices;
    TDoubleBufferingPlayer driver;
    std::vector<std::int32_t> counters;
    int stops = 0, ends = 0;
    driver.OnFill = [&](std::int32_t counter, std::uint8_t*, std::int32_t& bytes) {
        counters.push_back(counter);
        bytes = 1000;
    };
    driver.OnStop = [&] { ++stops; };
    driver.OnEnd = [&] { ++ends; };
    driver.SetActive(true);
    ASSERT_EQ(devices.Output()->QueuedCount(), 2);
    devices.Output()->Advance(1500);
    ProcessGuiEvents();
    EXPECT_EQ(counters, (std::vector<std::int32_t>{1, 2, 3}));
    EXPECT_EQ(devices.Output()->QueuedCount(), 2);
    EXPECT_EQ(driver.GetDevicePosition(), 1500);

    // A reset hands every queued buffer back, and the last one closes the device.
    driver.SetActive(false);
    EXPECT_TRUE(driver.IsActive());
    ProcessGuiEvents();
    EXPECT_FALSE(driver.IsActive());
    EXPECT_EQ(devices.Output(), nullptr);
    EXPECT_EQ(stops, 1);
    EXPECT_EQ(ends, 0);
    EXPECT_EQ(driver.GetDevicePosition(), 0);
}

} // namespace
