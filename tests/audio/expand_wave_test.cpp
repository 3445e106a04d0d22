#include "audio/expand_wave.h"
#include "audio/song_export.h"
#include "audio/wave_file_stream.h"
#include "platform/file_stream.h"
#include "tests/media/media_fixture.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wave_fixture.h"

#include <gtest/gtest.h>

namespace {

const PcmWaveFormat Stereo16 = MakePcmWaveFormat(2, 44100, 16);

class ExpandWaveTest : public testing::Test {
protected:
    // A stretch of source into target as the tool makes it; the decoded copy's name is
    // reserved as the callers reserve it.
    void Expand(const std::string& source, const std::string& target, StretchRequest request) {
        WriteFile(decoded, {});
        const std::unique_ptr<StretchEngine> engine =
            MakeStretchEngine(StretchEngineKind::Described);
        ExpandWaveFile(*engine, source, target, request, decoded, nullptr);
        EXPECT_FALSE(FileStream::Exists(decoded)) << "the decoded copy is left behind";
    }

    static std::int32_t FramesOf(const std::string& path) {
        TWaveFileStream wave;
        wave.SetFileName(path);
        wave.Open();
        return wave.GetSize() / wave.Format.blockAlign;
    }

    TempDir dir;
    std::string decoded = dir.File("decoded.wav");
    std::string result = dir.File("result.wav");
};

TEST_F(ExpandWaveTest, AnMp3GivesWhatItsDecodedWaveGivesStretchedDirectly) {
    const ClickSignal signal = MakeClickSignal(44100, 2, 44100, 20000);
    ASSERT_NO_FATAL_FAILURE(EncodeMedia(dir, signal, "song.mp3"));
    const std::string mp3 = dir.File("song.mp3");
    const ExpandSource inspected = InspectExpandSource(mp3);
    EXPECT_TRUE(inspected.Decoded);
    EXPECT_EQ(inspected.Format.channels, 2);
    EXPECT_EQ(inspected.Format.bitsPerSample, 16);
    EXPECT_EQ(inspected.Format.samplesPerSec, 44100u);
    EXPECT_EQ(inspected.Frames, 44100);

    Expand(mp3, result, {.Ratio = 1.5});
    const std::string wave = dir.File("song.wav");
    DecodeSongToWave(mp3, wave, nullptr);
    const std::string direct = dir.File("direct.wav");
    StretchWaveFile(*MakeStretchEngine(StretchEngineKind::Described), wave, direct, {.Ratio = 1.5},
                    nullptr);
    EXPECT_EQ(FramesOf(result), 66150);
    EXPECT_EQ(ReadFile(result), ReadFile(direct));
}

// Audio editors write chunks the stream does not take; such a file is decoded like a song.
TEST_F(ExpandWaveTest, AWaveTheStreamRefusesIsDecodedInstead) {
    const Bytes samples = Pattern(4410 * 4);
    const std::pair<const char*, WaveFixture> cases[] = {
        {"JUNK before fmt",
         WaveFixture().Chunk("JUNK", Bytes(28)).Format(Stereo16).Chunk("data", samples)},
        {"bext before fmt",
         WaveFixture().Chunk("bext", Bytes(602)).Format(Stereo16).Chunk("data", samples)},
        {"padded odd chunk",
         WaveFixture().Format(Stereo16).Chunk("LIST", Bytes(5)).Raw({0}).Chunk("data", samples)},
    };
    for (const auto& [name, fixture] : cases) {
        const std::string source = dir.File("edited.wav");
        fixture.WriteTo(source);
        const ExpandSource inspected = InspectExpandSource(source);
        EXPECT_TRUE(inspected.Decoded) << name;
        EXPECT_EQ(inspected.Frames, 4410) << name;
        Expand(source, result, {.Ratio = 2.0});
        EXPECT_EQ(FramesOf(result), 8820) << name;
    }
}

TEST_F(ExpandWaveTest, APcmWaveTheStreamTakesIsUsedAsItIs) {
    const std::string source = dir.File("plain.wav");
    WriteWave(source, MakePcmWaveFormat(1, 22050, 8), Pattern(2205));
    const ExpandSource inspected = InspectExpandSource(source);
    EXPECT_FALSE(inspected.Decoded);
    EXPECT_EQ(inspected.Format.channels, 1);
    EXPECT_EQ(inspected.Format.bitsPerSample, 8);
    EXPECT_EQ(inspected.Frames, 2205);
}

TEST_F(ExpandWaveTest, AFileNothingReadsIsRefused) {
    const std::string source = dir.File("notes.wav");
    WriteFile(source, {'n', 'o', 't', 'e', 's', '\n'});
    EXPECT_THROW(InspectExpandSource(source), EExpandSourceError);
    EXPECT_THROW(Expand(source, result, {.Ratio = 1.5}), EExpandSourceError);
    EXPECT_FALSE(FileStream::Exists(result));
}

TEST_F(ExpandWaveTest, ALengthOfNoneGivesAnEmptyWave) {
    const std::string source = dir.File("plain.wav");
    WriteWave(source, Stereo16, Pattern(4410 * 4));
    // Percent 0 and sample count 0 both ask for a ratio of 0 and no exact length.
    Expand(source, result, {.Ratio = 0.0, .TargetFrames = 0});
    TWaveFileStream wave;
    wave.SetFileName(result);
    wave.Open();
    EXPECT_EQ(wave.GetSize(), 0);
    EXPECT_EQ(wave.Format.channels, 2);
}

TEST_F(ExpandWaveTest, TheDefaultResolutionFallsBackToTheLeastBlockWhereItCannotServe) {
    struct Case {
        std::int32_t block;
        std::int64_t framesOut;
        std::uint32_t rate;
        std::int32_t used;
    };
    const Case cases[] = {
        {0, 66150, 44100, 0},   {0, 436149, 44100, 0}, {0, 436590, 44100, 10},
        {0, 441000, 44100, 10}, {0, 441000, 8000, 10}, {3000, 441000, 44100, 3000},
        {0, 0, 44100, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ExpandBlockLength(c.block, 44100, c.framesOut, c.rate), c.used)
            << c.block << " " << c.framesOut << " " << c.rate;
    }
}

TEST_F(ExpandWaveTest, AThousandPercentWithTheDefaultResolutionMakesTheFile) {
    const std::string source = dir.File("plain.wav");
    WriteWave(source, Stereo16, Pattern(2205 * 4));
    Expand(source, result, {.Ratio = 10.0});
    EXPECT_EQ(FramesOf(result), 22050);
}

} // namespace
