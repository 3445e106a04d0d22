#include "audio/cda_media_player.h"
#include "audio/song_export.h"
#include "audio/volume_serial.h"
#include "platform/file_stream.h"
#include "platform/virtual_wave_device.h"
#include "tests/support/disc_image.h"
#include "tests/support/gui_events.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wave_fixture.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>

namespace {

// Tracks of 160, 248 and 72 sectors: disc addresses 00:02:00, 00:04:10 and 00:07:33, lead-out
// at 00:08:30.
const std::vector<std::int32_t> TrackSectors = {160, 248, 72};

// Records the player commands that repositioning runs.
class RecordingPlayer : public TCDAMediaPlayer {
public:
    void Play() override {
        log.push_back("Play");
        TCDAMediaPlayer::Play();
    }
    void Stop() override {
        log.push_back("Stop");
        TCDAMediaPlayer::Stop();
    }
    void Pause() override {
        log.push_back("Pause");
        TCDAMediaPlayer::Pause();
    }
    void SetPosition(std::int32_t position) override {
        log.push_back("SetPosition " + std::to_string(position));
        TCDAMediaPlayer::SetPosition(position);
    }
    std::vector<std::string> log;
};

class CdaMediaPlayerTest : public testing::Test {
protected:
    void SetUp() override {
        player.FileName = disc.cuePath;
        player.Open();
        player.SetTimeFormat(tfMilliseconds);
    }

    // The frames the output device plays next, `frames` of them.
    std::vector<std::uint8_t> PlayFrames(std::int64_t frames) {
        devices.played.clear();
        while (static_cast<std::int64_t>(devices.played.size()) < frames * 4 &&
               devices.Output() != nullptr && devices.Output()->Advance(4096) > 0) {
            ProcessGuiEvents();
        }
        devices.played.resize(static_cast<std::size_t>(frames * 4));
        return devices.played;
    }

    std::vector<std::uint8_t> ImageFrames(std::int64_t first, std::int64_t frames) const {
        std::vector<std::uint8_t> bytes;
        for (std::int64_t frame = first; frame < first + frames; ++frame) {
            const auto one = disc.FrameAt(frame);
            bytes.insert(bytes.end(), one.begin(), one.end());
        }
        return bytes;
    }

    VirtualWaveDevices devices;
    TempDir dir;
    DiscImage disc{dir.Path(), TrackSectors};
    RecordingPlayer player;
};

TEST_F(CdaMediaPlayerTest, ReadsTheTableOfContentsInBothTimeFormats) {
    EXPECT_TRUE(player.IsDisc());
    EXPECT_TRUE(player.IsReady());
    EXPECT_EQ(player.TrackCount(), 3);
    EXPECT_EQ(player.Length(), 6400);
    EXPECT_EQ(player.EndPosition(), 8400);
    const struct {
        std::int32_t track, startMs, lengthMs, lengthMsf;
    } tracks[] = {
        {1, 2000, 2134, 2 << 8 | 10 << 16},
        {2, 4134, 3307, 3 << 8 | 23 << 16},
        {3, 7440, 960, 0 << 8 | 72 << 16},
    };
    for (const auto& t : tracks) {
        EXPECT_EQ(player.TrackPosition(t.track), t.startMs) << t.track;
        EXPECT_EQ(player.TrackOrMediaLength(t.track), t.lengthMs) << t.track;
    }
    player.SetTimeFormat(tfTMSF);
    for (const auto& t : tracks) {
        EXPECT_EQ(player.TrackPosition(t.track), t.track);
        EXPECT_EQ(player.TrackLength(t.track), t.lengthMsf) << t.track;
    }
    EXPECT_EQ(player.Length(), 6 << 8 | 30 << 16);
}

TEST_F(CdaMediaPlayerTest, MapsPositionsToTracks) {
    const struct {
        std::int32_t ms, track, offset;
    } cases[] = {
        {0, 0, 0},    {1999, 0, 1999}, {2000, 1, 0},   {4133, 1, 2133}, {4134, 2, 0},
        {7440, 3, 0}, {8399, 3, 959},  {8400, 3, 960}, {8401, 0, 8401},
    };
    for (const auto& c : cases) {
        std::int32_t track = -1;
        std::int32_t offset = -1;
        player.PositionToTrack(c.ms, track, offset);
        EXPECT_EQ(track, c.track) << c.ms;
        EXPECT_EQ(offset, c.offset) << c.ms;
        EXPECT_EQ(player.TrackAt(c.ms), c.track) << c.ms;
    }
    EXPECT_FALSE(player.TimeFormatSaved);
}

TEST_F(CdaMediaPlayerTest, PlaysTheExactFramesFromASeek) {
    player.SetPosition(5000);
    EXPECT_EQ(player.GetPosition(), 5000);
    player.Play();
    EXPECT_EQ(player.GetMode(), TMPModes::mpPlaying);
    // 5000 ms is disc frame 220500; the first track starts at disc frame 150 * 588.
    EXPECT_EQ(PlayFrames(20000), ImageFrames(220500 - 150 * 588, 20000));
}

TEST_F(CdaMediaPlayerTest, ExportsASectionSampleForSample) {
    const std::string out = dir.File("section.wav");
    ExportSongSection(player, 4133, 5000, out);
    const Bytes file = ReadFile(out);
    ASSERT_EQ(file.size(), 46u + 38235u * 4);
    // 4133 ms is disc frame 182265.
    EXPECT_EQ(Bytes(file.begin() + 46, file.end()), ImageFrames(182265 - 150 * 588, 38235));
    // Nothing is written for a section that the song does not have.
    for (const auto& [from, to] : {std::pair{5000, 4000}, std::pair{9000, 9500}}) {
        EXPECT_THROW(ExportSongSection(player, from, to, dir.File("none.wav")), EMCIDeviceError);
        EXPECT_FALSE(FileStream::Exists(dir.File("none.wav")));
    }
}

TEST_F(CdaMediaPlayerTest, GoToTrackWhilePlayingStopsSeeksAndPlaysAgain) {
    player.SetPositioningMethod(2);
    player.Play();
    PlayFrames(1000);
    player.log.clear();
    player.GoToTrack(2);
    EXPECT_EQ(player.log, (std::vector<std::string>{"Pause", "Stop", "SetPosition 2", "Play"}));
    EXPECT_EQ(player.GetMode(), TMPModes::mpPlaying);
    EXPECT_EQ(player.TimeFormat(), tfMilliseconds);
    EXPECT_EQ(player.CurrentTrack(), 2);
    EXPECT_EQ(PlayFrames(588), ImageFrames(160 * 588, 588));
}

TEST_F(CdaMediaPlayerTest, NextAndPreviousMoveByTracks) {
    player.Next();
    EXPECT_EQ(player.GetPosition(), 4134);
    player.Next();
    EXPECT_EQ(player.CurrentTrack(), 3);
    player.Previous(); // at the start of track 3: back to track 2
    EXPECT_EQ(player.CurrentTrack(), 2);
    player.SetPosition(6000);
    player.Previous(); // inside track 2: back to its start
    EXPECT_EQ(player.GetPosition(), 4134);
    player.SetPosition(2500);
    player.Previous();
    EXPECT_EQ(player.GetPosition(), 2000);
    EXPECT_FALSE(player.TimeFormatSaved);
}

TEST_F(CdaMediaPlayerTest, SaveAndRestoreOfTheTimeFormatPairStrictly) {
    const auto message = [](auto operation) {
        try {
            operation();
        } catch (const Exception& error) {
            return error.Message();
        }
        return std::string();
    };
    EXPECT_EQ(message([&] { player.RestoreTimeFormat(); }),
              "Time format has not been preserved yet.");
    player.SaveTimeFormat();
    player.SetTimeFormat(tfTMSF);
    EXPECT_EQ(message([&] { player.SaveTimeFormat(); }), "Time format has already been preserved.");
    player.RestoreTimeFormat();
    EXPECT_EQ(player.TimeFormat(), tfMilliseconds);
    // A failing command inside a switch leaves the pairing intact.
    EXPECT_NE(message([&] { player.GoToTrack(9); }), "");
    EXPECT_FALSE(player.TimeFormatSaved);
    EXPECT_EQ(player.TimeFormat(), tfMilliseconds);
}

TEST_F(CdaMediaPlayerTest, EjectTogglesTheImageTray) {
    player.Eject();
    EXPECT_EQ(player.GetMode(), TMPModes::mpOpen);
    EXPECT_FALSE(player.IsReady());
    EXPECT_EQ(player.TrackCount(), 0);
    std::string serial = "x";
    player.VolumeSerial(serial);
    EXPECT_EQ(serial, "");
    player.Eject();
    EXPECT_EQ(player.GetMode(), TMPModes::mpStopped);
    EXPECT_EQ(player.TrackCount(), 3);
}

TEST_F(CdaMediaPlayerTest, VolumeSerialSumsTheTrackAddresses) {
    // 00:02:00 + 00:04:10 + 00:07:33 packed as M<<16 | S<<8 | F.
    std::string serial;
    player.VolumeSerial(serial);
    EXPECT_EQ(serial, "00000D2B");
}

// An enhanced CD: audio tracks of 160 and 248 sectors (00:02:00 and 00:04:10), the gap between
// the sessions (11400 sectors), then a data track of 300 at 02:39:33 up to the lead-out at
// 02:43:33.
class EnhancedCdTest : public testing::Test {
protected:
    void SetUp() override {
        player.FileName = disc.cuePath;
        player.Open();
        player.SetTimeFormat(tfMilliseconds);
    }

    VirtualWaveDevices devices;
    TempDir dir;
    DiscImage disc{dir.Path(), {160, 248}, 300};
    TCDAMediaPlayer player;
};

TEST_F(EnhancedCdTest, TracksEndBeforeTheGapBetweenTheSessions) {
    ASSERT_EQ(disc.dataStart, 11808);
    EXPECT_EQ(player.TrackCount(), 3);
    const struct {
        std::int32_t track, startMs, lengthMs;
    } tracks[] = {{1, 2000, 2134}, {2, 4134, 3307}, {3, 159440, 4000}};
    for (const auto& t : tracks) {
        EXPECT_EQ(player.TrackPosition(t.track), t.startMs) << t.track;
        EXPECT_EQ(player.TrackOrMediaLength(t.track), t.lengthMs) << t.track;
    }
    EXPECT_EQ(player.EndPosition(), 163440);
    EXPECT_EQ(player.TrackAt(100000), 2); // in the gap: still after track 2
}

// Windows drops the data track and takes its start minus 2:30 (sector 558) as the lead-out:
// 00:02:00 + 00:04:10 packed, plus 558 - 0 for a disc of fewer than three tracks.
TEST_F(EnhancedCdTest, VolumeSerialEndsTheAudio230BeforeTheDataTrack) {
    std::string serial;
    player.VolumeSerial(serial);
    EXPECT_EQ(serial, "00000838");
}

// Sectors after the last audio track cannot be read as audio (a drive fails there): the gap
// and the data track play as silence, to the end of the disc.
TEST_F(EnhancedCdTest, PlayingToTheEndReadsNoSectorAfterTheAudio) {
    const std::int64_t lastSecond = (disc.audioEnd - 75) * 588LL;
    player.SetPosition(6440); // the last second of track 2: disc sector 483
    player.Play();
    while (devices.Output() != nullptr && devices.Output()->Advance(1 << 20) > 0) {
        ProcessGuiEvents();
    }
    ProcessGuiEvents();
    EXPECT_EQ(player.GetMode(), TMPModes::mpStopped);

    const std::vector<std::uint8_t>& played = devices.played;
    ASSERT_EQ(played.size(), static_cast<std::size_t>(disc.sectors * 588LL - lastSecond) * 4);
    for (std::int64_t frame = 0; frame < 75 * 588; ++frame) {
        const auto expected = disc.FrameAt(lastSecond + frame);
        ASSERT_TRUE(std::equal(expected.begin(), expected.end(), played.begin() + frame * 4))
            << frame;
    }
    const auto silence = played.begin() + 75 * 588 * 4;
    EXPECT_EQ(std::count(silence, played.end(), 0), played.end() - silence);
}

TEST(VolumeSerial, WorkedOutByHand) {
    const auto toc = [](std::vector<CdTrack> tracks, std::int32_t leadOut) {
        return CdToc{std::move(tracks), leadOut};
    };
    const struct {
        const char* name;
        CdToc toc;
        const char* serial;
    } cases[] = {
        {"two tracks add the length in frames", toc({{1, 0, 160, true}, {2, 160, 320, true}}, 480),
         "000007EA"},
        {"a data track after the audio ends it 2:30 early",
         toc({{1, 0, 160, true}, {2, 160, 19840, true}, {3, 20000, 10000, false}}, 30000),
         "00002838"},
        {"minutes past 40", toc({{1, 200000, 1, true}}, 200001), "002C1C33"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CdVolumeSerialText(c.toc), c.serial) << c.name;
    }
}

TEST(CdaMediaPlayer, ReportsDevicesThatCannotBeOpened) {
    TempDir dir;
    std::ofstream(dir.File("bad.cue")) << "this is not a cue sheet\n";
    TCDAMediaPlayer player;
    const struct {
        std::string file;
        std::string text;
    } cases[] = {
        {dir.File("missing.cue"),
         "Cannot open the disc \"" + dir.File("missing.cue") + "\": No such file or directory."},
        {dir.File("bad.cue"),
         "Cannot open the disc \"" + dir.File("bad.cue") + "\": not a readable disc image."},
    };
    for (const auto& c : cases) {
        player.FileName = c.file;
        try {
            player.Open();
            ADD_FAILURE() << c.file;
        } catch (const EMCIDeviceError& error) {
            EXPECT_EQ(error.Message(), c.text);
        }
        EXPECT_FALSE(player.IsOpen());
    }
    try {
        player.CheckOpen();
        ADD_FAILURE();
    } catch (const EMCIDeviceError& error) {
        EXPECT_EQ(error.Message(), "Device is not opened");
    }
    EXPECT_THROW(player.Play(), EMCIDeviceError);
}

TEST(CdaMediaPlayer, ListsDiscImagesAsDrives) {
    ::setenv("QUAVREL_CD_DRIVES", "/a/one.cue:/b/two.cue", 1);
    TCDAMediaPlayer player;
    ::unsetenv("QUAVREL_CD_DRIVES");
    ASSERT_GE(player.DriveList.size(), 2u);
    EXPECT_EQ(player.DriveList[player.DriveList.size() - 2], "/a/one.cue");
    EXPECT_EQ(player.DriveList.back(), "/b/two.cue");
}

} // namespace
