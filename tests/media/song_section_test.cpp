#include "audio/cda_media_player.h"
#include "audio/song_export.h"
#include "media_fixture.h"
#include "tests/support/wave_fixture.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

// A memory card's section of a song, exported as a file of its own: the click must land on its
// exact sample whatever the song's format, and the section must be exactly as long as asked.
TEST(SongSection, ExportsTheExactSamplesOfEveryFormat) {
    TempDir dir;
    const struct {
        const char* name;
        int rate;
        std::int64_t click;    // in the song's own rate
        std::int64_t expected; // in the 44100 Hz export from 1000 ms
        std::int64_t slack;
    } cases[] = {
        {"song.wav", 44100, 55555, 11455, 0}, {"song.flac", 44100, 55555, 11455, 0},
        {"song.ogg", 44100, 55555, 11455, 0}, {"song.mp3", 44100, 55555, 11455, 0},
        {"song.m4a", 44100, 55555, 11455, 0}, {"high.flac", 48000, 60000, 11025, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ClickSignal signal = MakeClickSignal(c.rate, 2, c.rate * 3, c.click);
        ASSERT_NO_FATAL_FAILURE(EncodeMedia(dir, signal, c.name));
        TCDAMediaPlayer player;
        player.FileName = dir.File(c.name);
        player.Open();
        EXPECT_EQ(player.Length(), 3000);
        const std::string out = dir.File(std::string(c.name) + ".section.wav");
        ExportSongSection(player, 1000, 1500, out);

        const Bytes file = ReadFile(out);
        ASSERT_EQ(file.size(), 46u + 22050u * 4);
        std::vector<std::int16_t> stereo((file.size() - 46) / 2);
        std::memcpy(stereo.data(), file.data() + 46, file.size() - 46);
        EXPECT_NEAR(PeakFrame(stereo), c.expected, c.slack);
    }
}

} // namespace
