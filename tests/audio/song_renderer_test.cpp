#include "audio/song_renderer.h"
#include "platform/media/media_file.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wave_fixture.h"
#include "tone_measure.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

const PcmWaveFormat Stereo16 = MakePcmWaveFormat(2, 44100, 16);
constexpr double Rate = 44100.0;
constexpr double Tone = 441.0; // 100 frames a period

// A song of 16-bit stereo frames, rendered at a tempo.
class SongRendererTest : public testing::Test {
protected:
    void WriteSong(const std::vector<std::int16_t>& samples) {
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(samples.data());
        WriteWave(path, Stereo16, Bytes(bytes, bytes + samples.size() * 2));
        source = OpenMediaFile(path);
    }

    // `frames` output frames from `start`, and the source frames passed to the tap.
    std::vector<std::int16_t> Render(TSongRenderer& renderer, std::int64_t frames) {
        std::vector<std::int16_t> out(static_cast<std::size_t>(frames * 2));
        const std::int32_t got =
            renderer.Render(out.data(), static_cast<std::int32_t>(frames),
                            [&](const std::int16_t* data, std::int32_t count) {
                                tapped.insert(tapped.end(), data, data + count * 2);
                            });
        out.resize(static_cast<std::size_t>(got * 2));
        return out;
    }

    // Everything up to the song's end, in blocks of 2048 frames as the player asks for them.
    std::vector<std::int16_t> RenderToEnd(TSongRenderer& renderer) {
        std::vector<std::int16_t> all;
        for (;;) {
            const std::vector<std::int16_t> block = Render(renderer, 2048);
            all.insert(all.end(), block.begin(), block.end());
            if (block.size() < 2048 * 2) {
                return all;
            }
        }
    }

    TempDir dir;
    std::string path = dir.File("song.wav");
    std::unique_ptr<PcmSource> source;
    std::vector<std::int16_t> tapped;
};

TEST_F(SongRendererTest, AtNormalSpeedWithoutTransposeTheSongComesOutBitForBit) {
    const std::vector<std::int16_t> song = StereoSine(30000, Tone, 0.5);
    std::vector<std::int16_t> noisy = song;
    for (std::size_t i = 0; i < noisy.size(); ++i) {
        noisy[i] = static_cast<std::int16_t>(noisy[i] + static_cast<std::int16_t>(i * 7919 % 601));
    }
    WriteSong(noisy);
    TSongRenderer renderer(*source, 0, TPlaybackTempo{});
    EXPECT_EQ(RenderToEnd(renderer), noisy);
    EXPECT_EQ(tapped, noisy);
}

struct ToneCase {
    int percent;
    int semitones;
    // The same measure on `rubberband -3 --realtime -t (100 / percent) -p semitones` of the same
    // song, the first channel's middle 16384 frames (measured once with Rubber Band 3.1.2).
    double referencePurityDb;
};

class SongRendererToneTest : public SongRendererTest,
                             public testing::WithParamInterface<ToneCase> {};

// A 1.5 s sine keeps its pitch at any speed, moves by the transpose alone, keeps its level and
// comes out (frames / speed) long.
TEST_P(SongRendererToneTest, ASineKeepsLengthPitchLevelAndPurity) {
    const ToneCase tone = GetParam();
    constexpr std::int64_t Frames = 66150;
    const std::vector<std::int16_t> song = StereoSine(Frames, Tone, 0.5);
    WriteSong(song);
    const TPlaybackTempo tempo{tone.percent / 100.0, tone.semitones * 100, TStretchEngine::Finer};
    TSongRenderer renderer(*source, 0, tempo);
    const std::vector<std::int16_t> out = RenderToEnd(renderer);

    const auto frames = static_cast<std::int64_t>(out.size() / 2);
    EXPECT_EQ(frames, std::llround(double(Frames) * 100.0 / tone.percent));
    const std::vector<double> middle = FirstChannel(out, (frames - 16384) / 2, 16384);
    const double expected = Tone * std::exp2(tone.semitones / 12.0);
    EXPECT_NEAR(ToneFrequency(middle, Rate), expected, 0.5);
    EXPECT_NEAR(LevelDb(middle), LevelDb(FirstChannel(song, (Frames - 16384) / 2, 16384)), 1.0);
    EXPECT_LE(PurityDb(middle, expected, Rate), tone.referencePurityDb + 0.5);
    EXPECT_EQ(tapped, song);
}

INSTANTIATE_TEST_SUITE_P(
    SpeedsAndTransposes, SongRendererToneTest,
    testing::Values(ToneCase{25, 0, -54.91}, ToneCase{25, 3, -52.38}, ToneCase{25, -12, -56.06},
                    ToneCase{50, 0, -55.79}, ToneCase{50, 3, -52.96}, ToneCase{50, -12, -61.58},
                    ToneCase{75, 0, -65.16}, ToneCase{75, 3, -55.19}, ToneCase{75, -12, -69.69},
                    ToneCase{150, 0, -65.17}, ToneCase{150, 3, -59.65}, ToneCase{150, -12, -70.16},
                    ToneCase{200, 0, -56.84}, ToneCase{200, 3, -56.31}, ToneCase{200, -12, -70.43}),
    [](const testing::TestParamInfo<ToneCase>& info) {
        return std::to_string(info.param.percent) + "Percent" +
               (info.param.semitones < 0 ? "Down" : "Up") +
               std::to_string(std::abs(info.param.semitones));
    });

} // namespace
