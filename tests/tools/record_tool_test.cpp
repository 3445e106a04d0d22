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

class RecordToolTest : public testing::Test {
protected:
    // Records what the song `path` plays into `output`.
    ToolProcess RecordSong(const std::string& path, QStringList arguments = {},
                           const ToolConditions& conditions = {}) {
        arguments << Arg(output) << "--source" << Arg("song:" + path);
        return ToolProcess(QUAVREL_RECORD_TOOL, arguments, conditions);
    }

    TempDir dir;
    std::string song = dir.File("song.wav");
    std::string output = dir.File("recording.wav");
};

// --seconds counts what was recorded, not time. The output device here plays at a third of the
// real pace (a period of 1024 frames takes 69 ms instead of 23), as a sound server does that
// is slow to start.
TEST_F(RecordToolTest, SecondsCountRecordedSound) {
    const Bytes samples = Pattern(44100 * 4 * 4);
    WriteWave(song, Stereo16, samples);
    ToolProcess record = RecordSong(song, {"--seconds", "1"}, {.periodDelayMs = 69});
    ASSERT_TRUE(record.Finish());
    ASSERT_EQ(record.ExitCode(), 0) << record.Errors();
    const Bytes file = ReadFile(output);
    ASSERT_GE(file.size(), 46u);
    ASSERT_EQ(U32At(file, 42), file.size() - 46);
    const double seconds = static_cast<double>(file.size() - 46) / (44100 * 4);
    EXPECT_GE(seconds, 1.0);
    EXPECT_LT(seconds, 2.0);
    EXPECT_TRUE(std::equal(file.begin() + 46, file.end(), samples.begin()));
}

// A disc without sound records nothing: the tool says so and fails, and leaves no empty file.
TEST_F(RecordToolTest, AnEmptyRecordingFailsAndLeavesNoFile) {
    const DiscImage disc(dir.Path(), {0});
    ToolProcess record = RecordSong(disc.cuePath);
    ASSERT_TRUE(record.Finish());
    EXPECT_EQ(record.ExitCode(), 1);
    EXPECT_EQ(record.Errors(), "Nothing was recorded.\n");
    EXPECT_FALSE(std::filesystem::exists(output));
}

// A recording that fails, before its file was made or after, leaves no file.
TEST_F(RecordToolTest, AFailedRecordingLeavesNoFile) {
    WriteWave(song, Stereo16, Pattern(44100 * 4 * 3));
    ExpectEveryFailedSongLeavesNoOutput(
        dir.Path(), song, output, [&](const std::string& path, const ToolConditions& conditions) {
            return std::make_unique<ToolProcess>(
                QUAVREL_RECORD_TOOL, QStringList{Arg(output), "--source", Arg("song:" + path)},
                conditions);
        });
}

// The disc cannot be read any more while it is recorded (its image is cut short here, as a
// scratch would stop a drive): the tool fails with the drive's message and keeps nothing.
TEST_F(RecordToolTest, ADiscFailingWhileRecordedLeavesNoFile) {
    const DiscImage disc(dir.Path(), {20 * 75});
    ToolProcess record = RecordSong(disc.cuePath);
    ASSERT_TRUE(WaitOnGuiThread([&] { return QFileInfo(Arg(output)).size() > 46; }, WaitMs))
        << "nothing was recorded";
    std::filesystem::resize_file(disc.binPath, 0);
    ASSERT_TRUE(record.Finish());
    EXPECT_EQ(record.ExitCode(), 1);
    EXPECT_EQ(record.Errors(), "Cannot read the disc \"" + disc.cuePath + "\".\n");
    EXPECT_FALSE(std::filesystem::exists(output));
}

} // namespace
