#include "audio/song_renderer.h"
#include "platform/media/media_file.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wave_fixture.h"
#include "tone_measure.h"

#include <algorithm>
#include <climits>
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

    // Everything up to the song's end or `most` frames, in blocks of 2048 frames as the player
    // asks for them.
    std::vector<std::int16_t> RenderToEnd(TSongRenderer& renderer, std::int64_t most = INT64_MAX) {
        std::vector<std::int16_t> all;
        while (std::int64_t(all.size()) / 2 < most) {
            const std::vector<std::int16_t> block =
                Render(renderer, std::min<std::int64_t>(2048, most - std::int64_t(all.size()) / 2));
            all.insert(all.end(), block.begin(), block.end());
            if (block.empty()) {
                break;
            }
        }
        return all;
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

// A loop set once its end has passed does not pull the song back: it plays on to its end.
TEST_F(SongRendererTest, ALoopSetAfterItsEndLetsTheSongPlayOn) {
    const std::vector<std::int16_t> song = StereoSine(40000, Tone, 0.5);
    WriteSong(song);
    TSongRenderer renderer(*source, 0, TPlaybackTempo{});
    std::vector<std::int16_t> out = Render(renderer, 30000);
    renderer.SetLoop(0, 20000);
    const std::vector<std::int16_t> rest = RenderToEnd(renderer);
    out.insert(out.end(), rest.begin(), rest.end());
    EXPECT_EQ(out, song);
    EXPECT_EQ(renderer.Map().WrapsAt(renderer.Rendered()), 0);
}

// A loop shorter than a tenth of a second is not wrapped in the fill path: each wrap starts a
// new sound and reads the song at another place, too much work many times a second. The song
// plays on past its end, for the caller to bring back.
TEST_F(SongRendererTest, ALoopTooShortToWrapLetsTheSongPlayOn) {
    const std::vector<std::int16_t> song = StereoSine(80000, Tone, 0.5);
    WriteSong(song);
    for (const std::int64_t length : {441, 4409, 1}) {
        auto sound = OpenMediaFile(path);
        TSongRenderer renderer(*sound, 49000, TPlaybackTempo{});
        renderer.SetLoop(50000, 50000 + length);
        const std::vector<std::int16_t> out = RenderToEnd(renderer, 20000);
        EXPECT_TRUE(std::equal(out.begin(), out.end(), song.begin() + 49000 * 2))
            << length << " frames";
        EXPECT_EQ(renderer.Map().WrapsAt(renderer.Rendered()), 0) << length << " frames";
    }
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

// A card loop at half speed: every pass lasts (end - start) / speed, and after each wrap the
// output is the stretched start's, sample for sample, without a step larger than the tone's
// own (the loop holds whole periods, so a clean join is smooth).
TEST_F(SongRendererTest, ALoopAtHalfSpeedWrapsOnTheStretchedStart) {
    constexpr std::int64_t LoopStart = 22000;
    constexpr std::int64_t LoopEnd = 44000;
    const TPlaybackTempo half{0.5, 0, TStretchEngine::Finer};
    WriteSong(StereoSine(88200, Tone, 0.5));
    TSongRenderer fromStart(*source, LoopStart, half);
    const std::vector<std::int16_t> stretchedStart = Render(fromStart, 8000);
    tapped.clear();

    auto song = OpenMediaFile(path);
    TSongRenderer renderer(*song, 10000, half);
    renderer.SetLoop(LoopStart, LoopEnd);
    const std::vector<std::int16_t> out = RenderToEnd(renderer, 68000 + 3 * 44000 + 8000);
    const std::vector<std::int64_t> joins{68000, 112000, 156000};
    EXPECT_EQ(renderer.Map().WrapsAt(joins[0] - 1), 0);
    for (std::size_t pass = 0; pass < joins.size(); ++pass) {
        const std::int64_t join = joins[pass];
        EXPECT_EQ(renderer.Map().WrapsAt(join), std::int64_t(pass + 1));
        EXPECT_EQ(renderer.Map().SourceAt(join), LoopStart);
        EXPECT_TRUE(
            std::equal(stretchedStart.begin(), stretchedStart.end(), out.begin() + join * 2))
            << "pass " << pass;
        EXPECT_LE(LargestStep(FirstChannel(out, join - 1000, 2000)),
                  LargestStep(FirstChannel(stretchedStart, 2000, 4000)) * 1.02)
            << "pass " << pass;
    }
    // The tap got the song's own frames: up to the end, then the loop again and again.
    const std::vector<std::int16_t> song16 = StereoSine(88200, Tone, 0.5);
    std::vector<std::int16_t> expected(song16.begin() + 10000 * 2, song16.begin() + LoopEnd * 2);
    for (int pass = 0; pass < 3; ++pass) {
        expected.insert(expected.end(), song16.begin() + LoopStart * 2,
                        song16.begin() + LoopEnd * 2);
    }
    ASSERT_GE(tapped.size(), expected.size());
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), tapped.begin()));
}

struct OnsetCase {
    int percent;
    std::int64_t start;
    bool loop; // the onset is heard after a loop's wrap
};

class SongRendererOnsetTest : public SongRendererTest,
                              public testing::WithParamInterface<OnsetCase> {};

// A tone that sets in after silence is heard where the map puts its frame, within 5 ms of the
// song's time: from a start just before it (as after a seek) and right after a loop's wrap.
TEST_P(SongRendererOnsetTest, TheMapPlacesWhatIsHeardWithinFiveMilliseconds) {
    const OnsetCase onset = GetParam();
    constexpr std::int64_t Onset = 30000;
    std::vector<std::int16_t> song(30000 * 2, 0);
    const std::vector<std::int16_t> tone = StereoSine(30000, Tone, 0.5);
    song.insert(song.end(), tone.begin(), tone.end());
    WriteSong(song);
    const TPlaybackTempo tempo{onset.percent / 100.0, 0, TStretchEngine::Finer};
    TSongRenderer renderer(*source, onset.start, tempo);
    if (onset.loop) {
        renderer.SetLoop(Onset - 2000, Onset + 20000);
    }
    const std::vector<std::int16_t> out = RenderToEnd(renderer, 200000);
    // The tone after the second wrap, or after the start, passes half its height (a quarter of
    // full scale, 8 frames after its onset in the song) at the frame heard: the map tells where
    // in the song that is.
    std::int64_t heard = 0;
    while (renderer.Map().WrapsAt(heard) < (onset.loop ? 2 : 0)) {
        ++heard;
    }
    while (heard * 2 < std::int64_t(out.size()) && std::abs(out[heard * 2]) < 8192) {
        ++heard;
    }
    EXPECT_NEAR(double(renderer.Map().SourceAt(heard)), double(Onset + 8), 44100 * 0.005);
}

INSTANTIATE_TEST_SUITE_P(HalfAndOneAndAHalf, SongRendererOnsetTest,
                         testing::Values(OnsetCase{50, 26000, false}, OnsetCase{150, 26000, false},
                                         OnsetCase{50, 0, true}, OnsetCase{150, 0, true}),
                         [](const testing::TestParamInfo<OnsetCase>& info) {
                             return std::to_string(info.param.percent) + "Percent" +
                                    (info.param.loop ? "AfterAWrap" : "AfterASeek");
                         });
} // namespace
