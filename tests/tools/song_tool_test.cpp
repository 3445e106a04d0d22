#include "tests/support/disc_image.h"
#include "tests/support/gui_wait.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wave_fixture.h"
#include "tool_process.h"

#include <QFileInfo>
#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

constexpr int WaitMs = 30000;
const PcmWaveFormat Stereo16 = MakePcmWaveFormat(2, 44100, 16);

class SongToolTest : public testing::Test {
protected:
    TempDir dir;
    std::string song = dir.File("song.wav");
    std::string sink = dir.File("sink.raw");
};

// Looping a section opens the output device again at each round; when that fails the tool
// ends with the device's message alone and exit code 1, the error never thrown through Qt's
// event loop.
TEST_F(SongToolTest, AnErrorWhilePlayingEndsTheToolWithItsMessage) {
    WriteWave(song, Stereo16, Pattern(44100 * 4 * 2));
    ToolProcess play(QUAVREL_SONG_TOOL, {"play", Arg(song), "--to", "300", "--loop"},
                     {.sink = sink});
    ASSERT_TRUE(WaitOnGuiThread([&] { return QFileInfo(Arg(sink)).size() > 0; }, WaitMs))
        << "the song was never played";
    // A folder where the output file was: the next round cannot open the device.
    std::filesystem::remove(sink);
    std::filesystem::create_directory(sink);
    ASSERT_TRUE(play.Finish());
    EXPECT_FALSE(play.Crashed()) << play.Errors();
    EXPECT_EQ(play.ExitCode(), 1);
    EXPECT_TRUE(play.Errors().starts_with("Cannot open the default output device: ") &&
                std::count(play.Errors().begin(), play.Errors().end(), '\n') == 1)
        << play.Errors();
}

// An export that fails, before its file was made or after, leaves no file.
TEST_F(SongToolTest, AFailedExportLeavesNoFile) {
    WriteWave(song, Stereo16, Pattern(44100 * 4 * 3));
    const std::string output = dir.File("section.wav");
    ExpectEveryFailedSongLeavesNoOutput(
        dir.Path(), song, output, [&](const std::string& path, const ToolConditions& conditions) {
            return std::make_unique<ToolProcess>(
                QUAVREL_SONG_TOOL,
                QStringList{"export", Arg(path), "--from", "0", "--to", "3000", Arg(output)},
                conditions);
        });
}

} // namespace
