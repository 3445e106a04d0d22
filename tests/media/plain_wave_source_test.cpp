#include "platform/media/plain_wave_source.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wave_fixture.h"

#include <gtest/gtest.h>

namespace {

const PcmWaveFormat Stereo16 = MakePcmWaveFormat(2, 44100, 16);
constexpr int FrameBytes = 4;

struct WaveCase {
    const char* Name;
    Bytes File;
    // The data read as it lies; empty when FFmpeg is to open the file.
    Bytes Sound;
    int Rate = 44100;
};

std::vector<WaveCase> Cases() {
    const Bytes sound = Pattern(1000 * FrameBytes);
    std::vector<WaveCase> cases;
    cases.push_back({"plain", WaveFixture().Format(Stereo16).Chunk("data", sound).Build(), sound});
    cases.push_back(
        {"another rate",
         WaveFixture().Format(MakePcmWaveFormat(2, 22050, 16)).Chunk("data", sound).Build(), sound,
         22050});
    cases.push_back({"extended format and other chunks around the data",
                     WaveFixture()
                         .Chunk("LIST", Pattern(6))
                         .Format(Stereo16, 18)
                         .Chunk("fact", Pattern(4))
                         .Chunk("data", sound)
                         .Chunk("junk", Pattern(3))
                         .Build(),
                     sound});
    cases.push_back(
        {"a chunk of odd length before the data",
         WaveFixture().Chunk("LIST", Pattern(7)).Format(Stereo16).Chunk("data", sound).Build(),
         {}});
    cases.push_back(
        {"mono",
         WaveFixture().Format(MakePcmWaveFormat(1, 44100, 16)).Chunk("data", sound).Build(),
         {}});
    cases.push_back(
        {"8 bits",
         WaveFixture().Format(MakePcmWaveFormat(2, 44100, 8)).Chunk("data", sound).Build(),
         {}});
    cases.push_back(
        {"24 bits",
         WaveFixture().Format(MakePcmWaveFormat(2, 44100, 24)).Chunk("data", sound).Build(),
         {}});
    cases.push_back({"data before the format",
                     WaveFixture().Chunk("data", sound).Format(Stereo16).Build(),
                     {}});
    cases.push_back({"data longer than the file",
                     WaveFixture().Format(Stereo16).ChunkHeader("data", 8000).Raw(sound).Build(),
                     {}});
    cases.push_back(
        {"a part of a frame",
         WaveFixture().Format(Stereo16).Chunk("data", Pattern(1001 * FrameBytes + 2)).Build(),
         {}});
    cases.push_back({"no data", WaveFixture().Format(Stereo16).Chunk("data", {}).Build(), {}});
    cases.push_back({"not a WAVE file", Pattern(200), {}});
    return cases;
}

// The frames from `frame` on, read in pieces of 300.
Bytes ReadFrom(PcmSource& source, std::int64_t frame) {
    source.Seek(frame);
    Bytes read;
    std::vector<std::uint8_t> piece(300 * FrameBytes);
    while (const std::int32_t count = source.Read(piece.data(), 300)) {
        read.insert(read.end(), piece.begin(), piece.begin() + count * FrameBytes);
    }
    return read;
}

TEST(PlainWaveSourceTest, ReadsPlainStereo16WavesAsTheyLieAndLeavesTheRestToFfmpeg) {
    TempDir dir;
    for (const WaveCase& wave : Cases()) {
        SCOPED_TRACE(wave.Name);
        WriteFile(dir.File("song.wav"), wave.File);
        const std::unique_ptr<PcmSource> source = OpenPlainWave(dir.File("song.wav"));
        if (wave.Sound.empty()) {
            EXPECT_EQ(source, nullptr);
            continue;
        }
        ASSERT_NE(source, nullptr);
        EXPECT_EQ(source->Format().samplesPerSec, wave.Rate);
        EXPECT_EQ(source->Format().channels, 2);
        EXPECT_EQ(source->Format().bitsPerSample, 16);
        EXPECT_EQ(source->Frames(), static_cast<std::int64_t>(wave.Sound.size() / FrameBytes));
        EXPECT_EQ(ReadFrom(*source, 0), wave.Sound);
        EXPECT_EQ(ReadFrom(*source, 777),
                  Bytes(wave.Sound.begin() + 777 * FrameBytes, wave.Sound.end()));
        EXPECT_TRUE(ReadFrom(*source, 5000).empty());
    }
}

TEST(PlainWaveSourceTest, AMissingFileIsLeftToFfmpeg) {
    TempDir dir;
    EXPECT_EQ(OpenPlainWave(dir.File("none.wav")), nullptr);
}

} // namespace
