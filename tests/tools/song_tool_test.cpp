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

// The section export keeps its old form and bytes; at another tempo it runs through the player's
// renderer and lasts the section's length over the speed.
TEST_F(SongToolTest, ExportsASectionAsItIsOrAtATempo) {
    const Bytes samples = Pattern(44100 * 4 * 3);
    WriteWave(song, Stereo16, samples);
    const std::string plain = dir.File("plain.wav");
    ToolProcess asItIs(QUAVREL_SONG_TOOL,
                       {"export", Arg(song), "--from", "1000", "--to", "2000", Arg(plain)});
    ASSERT_TRUE(asItIs.Finish());
    EXPECT_EQ(asItIs.ExitCode(), 0) << asItIs.Errors();
    const Bytes file = ReadFile(plain);
    EXPECT_TRUE(file.size() == 46 + 44100 * 4 &&
                std::equal(file.begin() + 46, file.end(), samples.begin() + 44100 * 4));

    const std::string slow = dir.File("slow.wav");
    ToolProcess atTempo(QUAVREL_SONG_TOOL,
                        {"export", Arg(song), Arg(slow), "--from", "1000", "--to", "2000",
                         "--speed", "50", "--transpose", "-1.50", "--engine", "short"});
    ASSERT_TRUE(atTempo.Finish());
    EXPECT_EQ(atTempo.ExitCode(), 0) << atTempo.Errors();
    EXPECT_EQ(ReadFile(slow).size(), 46u + 88200 * 4);
}

// A tempo the tool cannot take is refused with what it takes, and nothing is written.
TEST_F(SongToolTest, RefusesATempoOutOfRange) {
    WriteWave(song, Stereo16, Pattern(44100 * 4));
    const std::string output = dir.File("out.wav");
    const std::vector<std::pair<QStringList, std::string>> cases{
        {{"--transpose", "0.7"}, "Not a transpose: 0.7"},
        {{"--transpose", "13"}, "Not a transpose: 13"},
        {{"--transpose", "1.60"}, "Not a transpose: 1.60"},
        {{"--transpose", "up"}, "Not a transpose: up"},
        {{"--speed", "20"}, "The speed must be 25 to 200 percent."},
        {{"--engine", "fast"}, "Not an engine: fast"},
    };
    for (const auto& [arguments, message] : cases) {
        ToolProcess tool(QUAVREL_SONG_TOOL,
                         QStringList{"export", Arg(song), Arg(output)} + arguments);
        ASSERT_TRUE(tool.Finish());
        EXPECT_NE(tool.ExitCode(), 0);
        EXPECT_TRUE(tool.Errors().starts_with(message)) << tool.Errors();
        EXPECT_FALSE(std::filesystem::exists(output));
    }
}

} // namespace
