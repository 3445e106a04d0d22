#include "audio/song_export.h"
#include "audio/stretch_engine.h"
#include "tests/media/media_fixture.h"
#include "tests/support/gui_wait.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wave_fixture.h"
#include "tool_process.h"

#include <QFileInfo>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>

namespace {

// A song in, a WAVE file out: the same file as its decoded sound stretched directly, and no
// decoded copy left beside it.
TEST(StretchToolTest, AnMp3IsStretchedAsItsDecodedWave) {
    TempDir dir;
    ASSERT_NO_FATAL_FAILURE(EncodeMedia(dir, MakeClickSignal(44100, 2, 44100, 20000), "song.mp3"));
    const std::string out = dir.File("slow.wav");
    ToolProcess stretch(QUAVREL_STRETCH_TOOL,
                        {Arg(dir.File("song.mp3")), Arg(out), "--percent", "150"});
    ASSERT_TRUE(stretch.Finish());
    ASSERT_EQ(stretch.ExitCode(), 0) << stretch.Errors();

    const std::string wave = dir.File("decoded.wav");
    DecodeSongToWave(dir.File("song.mp3"), wave, nullptr);
    const std::string direct = dir.File("direct.wav");
    StretchWaveFile(*MakeStretchEngine(StretchEngineKind::Described), wave, direct, {.Ratio = 1.5},
                    nullptr);
    EXPECT_EQ(ReadFile(out), ReadFile(direct));
    std::filesystem::remove(wave);
    std::filesystem::remove(direct);
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        names.insert(entry.path().filename().string());
    }
    EXPECT_EQ(names, (std::set<std::string>{"song.mp3", "song.mp3.source.wav", "slow.wav"}));
}

// Ctrl+C (or a logout's SIGTERM) while the tool works ends it without a half-made OUT.wav or
// the hidden file it reserved beside it.
TEST(StretchToolTest, AnInterruptLeavesNothingBehind) {
    TempDir dir;
    const std::string source = dir.File("song.wav");
    WriteWave(source, MakePcmWaveFormat(2, 44100, 16), Pattern(60 * 44100 * 4));
    const std::string out = dir.File("slow.wav");
    ToolProcess stretch(QUAVREL_STRETCH_TOOL,
                        {Arg(source), Arg(out), "--percent", "150", "--engine", "hq"});
    ASSERT_TRUE(WaitOnGuiThread([&] { return QFileInfo(Arg(out)).exists(); }, 60000));
    stretch.Terminate();
    ASSERT_TRUE(stretch.Finish());
    EXPECT_FALSE(stretch.Crashed());
    EXPECT_EQ(stretch.ExitCode(), 1);
    EXPECT_EQ(stretch.Errors(), "Interrupted.\n");
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        names.insert(entry.path().filename().string());
    }
    EXPECT_EQ(names, std::set<std::string>{"song.wav"});
}

} // namespace
