#include "audio/stretch_engine.h"
#include "audio/wave_file_stream.h"
#include "audio/wave_processing.h"
#include "tests/audio/stretch_oracle.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wave_fixture.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <numbers>
#include <optional>
#include <utility>
#include <vector>

namespace {

using Engine = StretchEngineKind;

// LeftClipping: channel A clips, channel B is quiet. LoudSecondHalf: quiet tones, then a
// constant at 25000 / 32767 of full scale.
enum class Content { Silence, Noise, Tones, Quiet, Clipping, LeftClipping, LoudSecondHalf };

struct SourceLayout {
    int channels;
    int rate;
    int bits;
    std::int64_t frames;
    Content content;
    // Bytes after the last whole frame.
    int tailBytes = 0;
};

// Normalised to full scale; Noise stays inside it, Clipping goes well past it.
class Signal {
public:
    Signal(Content content, int rate, std::int64_t frames)
        : content(content), rate(rate), frames(frames) {}

    double Next(int channel, std::int64_t frame) {
        if (content == Content::Silence) {
            return 0.0;
        }
        if (content == Content::LoudSecondHalf && 2 * frame >= frames) {
            return 25000.0 / 32767.0;
        }
        if (content == Content::Noise) {
            state = state * 1664525u + 1013904223u;
            return double(state >> 8) / double(1u << 23) - 1.0;
        }
        const double t = double(frame) / rate;
        const double base = channel == 0 ? 220.0 : 330.0;
        // A chord plus a slow upward sweep, so blocks taken from different places differ.
        const double value = 0.4 * std::sin(2.0 * std::numbers::pi * base * t) +
                             0.25 * std::sin(2.0 * std::numbers::pi * base * 2.71 * t + 1.0) +
                             0.15 * std::sin(2.0 * std::numbers::pi * (300.0 + 40.0 * t) * t);
        switch (content) {
        case Content::Quiet:
        case Content::LoudSecondHalf:
            return 0.1 * value;
        case Content::Clipping:
            return 1.6 * value;
        case Content::LeftClipping:
            return (channel == 0 ? 1.6 : 0.1) * value;
        default:
            return value;
        }
    }

private:
    Content content;
    double rate;
    std::int64_t frames;
    std::uint32_t state = 12345;
};

Bytes MakeData(const SourceLayout& layout) {
    Bytes data;
    data.reserve(static_cast<std::size_t>(layout.frames * layout.channels * layout.bits / 8));
    Signal signal(layout.content, layout.rate, layout.frames);
    for (std::int64_t frame = 0; frame < layout.frames; ++frame) {
        for (int channel = 0; channel < layout.channels; ++channel) {
            AppendPcmSample(data, signal.Next(channel, frame), layout.bits);
        }
    }
    const Bytes tail = Pattern(static_cast<std::size_t>(layout.tailBytes), 7);
    data.insert(data.end(), tail.begin(), tail.end());
    return data;
}

PcmWaveFormat FormatOf(const SourceLayout& layout) {
    return MakePcmWaveFormat(layout.channels, layout.rate, layout.bits);
}

struct Job {
    Engine engine;
    double ratio;
    std::int32_t targetFrames = 0;
    std::int32_t blockLength = 0;
    double hopFactor = 0.0;
};

// What a run left behind: the destination's data chunk, the refusal if there was one, and the
// ratio the linear engine handed back.
struct Outcome {
    Bytes data;
    std::optional<std::string> error;
    double ratio = 0.0;
};

class StretchRunner {
public:
    // Runs the engine through the engine interface on real files: the source written as a WAVE
    // file, the destination created in its format, both closed before the destination is read
    // back.
    Outcome RunEngine(const PcmWaveFormat& format, const Bytes& data, const Job& job,
                      const ProgressCallback& progress = {}) {
        WriteWave(sourcePath, format, data);
        Outcome outcome;
        outcome.ratio = job.ratio;
        {
            TWaveFileStream source;
            source.SetFileName(sourcePath);
            source.Open();
            TWaveFileStream destination;
            destination.SetFileName(destinationPath);
            destination.Format = source.Format;
            destination.CreateNew();
            try {
                const StretchRequest request{job.ratio, job.targetFrames, job.blockLength,
                                             job.hopFactor};
                outcome.ratio =
                    MakeStretchEngine(job.engine)->Stretch(source, destination, request, progress);
            } catch (const EWaveProcessing& error) {
                outcome.error = error.Message();
            }
        }
        TWaveFileStream result;
        result.SetFileName(destinationPath);
        result.Open();
        EXPECT_EQ(result.Format, format);
        outcome.data.resize(static_cast<std::size_t>(result.GetSize()));
        EXPECT_EQ(result.Read(outcome.data.data(), result.GetSize()), result.GetSize());
        return outcome;
    }

    static Outcome RunOracle(const PcmWaveFormat& format, const Bytes& data, const Job& job) {
        Outcome outcome;
        outcome.ratio = job.ratio;
        try {
            outcome.data = job.engine == Engine::Described
                               ? OracleStretch(format, data, job.ratio, job.targetFrames,
                                               job.blockLength, job.hopFactor)
                               : OracleStretchLinear(format, data, outcome.ratio, job.targetFrames);
        } catch (const EWaveProcessing& error) {
            outcome.error = error.Message();
        }
        return outcome;
    }

private:
    TempDir dir;
    std::string sourcePath = dir.File("source.wav");
    std::string destinationPath = dir.File("stretched.wav");
};

// Names the first differing byte instead of printing megabytes.
testing::AssertionResult SameBytes(const Bytes& engine, const Bytes& oracle) {
    const auto [e, o] = std::ranges::mismatch(engine, oracle);
    if (e == engine.end() && o == oracle.end()) {
        return testing::AssertionSuccess();
    }
    auto failure = testing::AssertionFailure();
    failure << "engine wrote " << engine.size() << " bytes, the oracle " << oracle.size()
            << "; first difference at byte " << (e - engine.begin());
    if (e != engine.end() && o != oracle.end()) {
        failure << ": engine " << int(*e) << ", oracle " << int(*o);
    }
    return failure;
}

std::int64_t ExpectedFrames(std::int64_t framesIn, const Job& job) {
    if (framesIn == 0) {
        return 0;
    }
    const std::int64_t frames = job.targetFrames != 0
                                    ? job.targetFrames
                                    : static_cast<std::int64_t>(double(framesIn) * job.ratio);
    return std::max<std::int64_t>(frames, 0);
}

struct Case {
    const char* name;
    SourceLayout source;
    Job job;
};

constexpr Engine Ola = Engine::Described;
constexpr Engine Lin = Engine::Linear;
constexpr Engine Hq = Engine::HighQuality;

// Frames enough to cross the pieces of 1,048,576 frames in which the channels are split and
// restored and the 2,097,152-value input pieces of the linear engine.
constexpr std::int64_t Long = 2150000;

const Case Cases[] = {
    {"Mono8At11025Half", {1, 11025, 8, 20000, Content::Noise}, {Ola, 0.5}},
    {"Mono16At22050Same", {1, 22050, 16, 30000, Content::Tones}, {Ola, 1.0}},
    {"Stereo8At44100OneAndAHalf", {2, 44100, 8, 30000, Content::Tones}, {Ola, 1.5}},
    // Automatic block of 8604 frames.
    {"Stereo16At44100OneAndAHalf", {2, 44100, 16, 40000, Content::Noise}, {Ola, 1.5}},
    // Automatic block of 4046 frames.
    {"Stereo16At22050Double", {2, 22050, 16, 25000, Content::Tones}, {Ola, 2.0}},
    {"Mono16At11025Quadruple", {1, 11025, 16, 9000, Content::Tones}, {Ola, 4.0}},
    {"Stereo16At44100Quadruple", {2, 44100, 16, 20000, Content::Noise}, {Ola, 4.0}},
    {"TargetThreeTimesTenSeconds", {1, 11025, 8, 110250, Content::Tones}, {Ola, 1.0, 330750}},
    {"TargetShorterOverridesRatio", {2, 22050, 16, 30001, Content::Noise}, {Ola, 3.0, 20001}},
    {"ExplicitBlockAndHop", {2, 44100, 16, 20000, Content::Tones}, {Ola, 1.3, 0, 1000, 0.3}},
    {"Block64Unwindowed", {1, 22050, 16, 3000, Content::Noise}, {Ola, 1.5, 0, 64, 0.5}},
    {"Block65Windowed", {1, 22050, 16, 3000, Content::Noise}, {Ola, 1.5, 0, 65, 0.5}},
    {"Stereo8Block64Unwindowed", {2, 11025, 8, 3000, Content::Tones}, {Ola, 0.7, 0, 64, 0.75}},
    {"BlockOfOneFrame", {1, 11025, 8, 500, Content::Noise}, {Ola, 2.0, 0, 1, 1.0}},
    {"Stereo16Clipping", {2, 44100, 16, 20000, Content::Clipping}, {Ola, 1.5}},
    {"Mono8Clipping", {1, 11025, 8, 20000, Content::Clipping}, {Ola, 0.5}},
    {"Stereo8OneChannelClipping", {2, 22050, 8, 20000, Content::LeftClipping}, {Ola, 0.9}},
    // The last blocks reach past the end of the result, and only there do the sums pass full
    // scale; they still set the gain.
    {"PeakPastTheEnd", {1, 22050, 16, 1000, Content::LoudSecondHalf}, {Ola, 0.5, 0, 600, 0.5}},
    {"Stereo16PartialLastFrame", {2, 22050, 16, 15000, Content::Tones, 3}, {Ola, 1.5}},
    {"Mono16PartialLastFrame", {1, 11025, 16, 15000, Content::Noise, 1}, {Ola, 0.8}},
    {"Stereo8PartialLastFrame", {2, 44100, 8, 15000, Content::Noise, 1}, {Ola, 1.2}},
    {"OneFrameQuadruple", {2, 44100, 16, 1, Content::Noise}, {Ola, 4.0}},
    {"RatioGivingNoFrames", {2, 44100, 16, 5, Content::Noise}, {Ola, 0.1}},
    {"NegativeTargetGivesNoFrames", {1, 22050, 16, 500, Content::Noise}, {Ola, 1.0, -5}},
    {"EmptySource", {2, 44100, 16, 0, Content::Noise}, {Ola, 1.5}},
    {"OnlyAPartialFrame", {2, 44100, 16, 0, Content::Noise, 3}, {Ola, 1.5}},
    {"LongStereo16", {2, 44100, 16, Long, Content::Tones}, {Ola, 1.5}},

    {"LinearMono8At11025Half", {1, 11025, 8, 20000, Content::Noise}, {Lin, 0.5}},
    {"LinearStereo16Same", {2, 44100, 16, 20000, Content::Noise}, {Lin, 1.0}},
    {"LinearStereo16OneAndAHalf", {2, 44100, 16, 20000, Content::Tones}, {Lin, 1.5}},
    {"LinearMono16Quadruple", {1, 22050, 16, 5000, Content::Tones}, {Lin, 4.0}},
    {"LinearStereo8Double", {2, 22050, 8, 10000, Content::Tones}, {Lin, 2.0}},
    {"LinearMono16PartialLastFrame", {1, 11025, 16, 12345, Content::Noise, 1}, {Lin, 0.37}},
    {"LinearStereo8PartialLastFrame", {2, 11025, 8, 7777, Content::Tones, 1}, {Lin, 1.21}},
    {"LinearRatioGivingNoFrames", {2, 44100, 16, 5, Content::Noise}, {Lin, 0.1}},
    {"LinearTargetThreeTimes", {2, 44100, 16, 10000, Content::Tones}, {Lin, 1.0, 30000}},
    {"LinearStereo16Clipping", {2, 22050, 16, 20000, Content::Clipping}, {Lin, 0.8}},
    {"LinearMono8Clipping", {1, 44100, 8, 20000, Content::Clipping}, {Lin, 1.7}},
    {"LinearStereo16OneChannelClipping", {2, 11025, 16, 20000, Content::LeftClipping}, {Lin, 1.1}},
    {"LinearOneFrameQuadruple", {1, 22050, 16, 1, Content::Tones}, {Lin, 4.0}},
    // The only output frame is never interpolated and stays silent.
    {"LinearSingleOutputFrame", {2, 22050, 8, 5, Content::Noise}, {Lin, 1.0, 1}},
    {"LinearEmptySourceKeepsRatio", {1, 11025, 8, 0, Content::Noise}, {Lin, 1.7}},
    {"LinearLongStereo16", {2, 44100, 16, Long, Content::Noise}, {Lin, 1.0}},
    {"LinearLongMono8", {1, 44100, 8, Long + 150000, Content::Tones}, {Lin, 0.6}},
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

class StretchMatchesOracle : public testing::TestWithParam<Case> {};

TEST_P(StretchMatchesOracle, ByteForByte) {
    const Case& c = GetParam();
    const PcmWaveFormat format = FormatOf(c.source);
    const Bytes data = MakeData(c.source);

    StretchRunner runner;
    const Outcome engine = runner.RunEngine(format, data, c.job);
    const Outcome oracle = StretchRunner::RunOracle(format, data, c.job);

    ASSERT_EQ(oracle.error, std::nullopt);
    ASSERT_EQ(engine.error, std::nullopt);
    const std::int64_t frames = ExpectedFrames(c.source.frames, c.job);
    EXPECT_EQ(engine.data.size(), static_cast<std::size_t>(frames * format.blockAlign));
    EXPECT_TRUE(SameBytes(engine.data, oracle.data));
    EXPECT_EQ(engine.ratio, oracle.ratio);
}

INSTANTIATE_TEST_SUITE_P(Cases, StretchMatchesOracle, testing::ValuesIn(Cases),
                         [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

TEST(StretchOracle, ChoosesTheAutomaticBlockLengthAndHop) {
    EXPECT_EQ(OracleAutomaticBlockLength(1.5, 44100), 8604);
    EXPECT_EQ(OracleAutomaticBlockLength(2.0, 22050), 4046);
    EXPECT_DOUBLE_EQ(OracleAutomaticHopFactor(1.5), 0.525);
}

struct Refusal {
    const char* name;
    PcmWaveFormat format;
    std::int64_t frames;
    Job job;
    // Checked as it stands when set; otherwise any text will do.
    std::optional<std::string> message;
    // The format is checked before anything is written; later refusals may leave the
    // destination in any state, since the caller deletes it.
    bool formatRefused;
};

PcmWaveFormat WithTag(PcmWaveFormat format, std::uint16_t tag) {
    format.formatTag = tag;
    return format;
}

PcmWaveFormat WithBlockAlign(PcmWaveFormat format, std::uint16_t blockAlign) {
    format.blockAlign = blockAlign;
    return format;
}

const std::string Unsupported = "not supported file type";
const PcmWaveFormat Stereo16 = MakePcmWaveFormat(2, 44100, 16);
const PcmWaveFormat Mono8 = MakePcmWaveFormat(1, 22050, 8);

const Refusal Refusals[] = {
    {"TwentyFourBit", MakePcmWaveFormat(2, 44100, 24), 1000, {Ola, 1.5}, Unsupported, true},
    {"LinearTwentyFourBit", MakePcmWaveFormat(2, 44100, 24), 1000, {Lin, 1.5}, Unsupported, true},
    {"ThreeChannels", MakePcmWaveFormat(3, 44100, 16), 1000, {Ola, 1.5}, Unsupported, true},
    {"LinearThreeChannels", MakePcmWaveFormat(3, 44100, 16), 1000, {Lin, 1.5}, Unsupported, true},
    {"FloatTag", WithTag(Stereo16, 3), 1000, {Ola, 1.5}, Unsupported, true},
    {"LinearFloatTag", WithTag(Stereo16, 3), 1000, {Lin, 1.5}, Unsupported, true},
    {"MonoBlockAlignOfTwo", WithBlockAlign(Mono8, 2), 1000, {Ola, 1.5}, "", true},
    {"LinearStereoBlockAlignOfTwo", WithBlockAlign(Stereo16, 2), 1000, {Lin, 1.5}, "", true},
    {"AutomaticBlockBelowTen", Stereo16, 1000, {Ola, 12.0}, std::nullopt, false},
    {"ExplicitBlockBelowOne", Stereo16, 1000, {Ola, 1.5, 0, -1, 0.5}, std::nullopt, false},
    {"HopBelowOne", Stereo16, 1000, {Ola, 1.5, 0, 10, 0.04}, std::nullopt, false},
    // An output piece would hold no frame, so the interpolation would never advance.
    {"LinearOutputPieceOfNoFrames", Mono8, Long + 50000, {Lin, 1.0, 1}, std::nullopt, false},
};

void PrintTo(const Refusal& c, std::ostream* os) {
    *os << c.name;
}

class StretchRefuses : public testing::TestWithParam<Refusal> {};

TEST_P(StretchRefuses, WithoutWritingTheDestination) {
    const Refusal& c = GetParam();
    const Bytes data = Pattern(
        static_cast<std::size_t>(c.frames * (c.format.channels * c.format.bitsPerSample / 8)));

    StretchRunner runner;
    const Outcome engine = runner.RunEngine(c.format, data, c.job);
    const Outcome oracle = StretchRunner::RunOracle(c.format, data, c.job);

    ASSERT_NE(oracle.error, std::nullopt);
    ASSERT_NE(engine.error, std::nullopt);
    if (c.message) {
        EXPECT_EQ(*oracle.error, *c.message);
        EXPECT_EQ(*engine.error, *c.message);
    }
    if (c.formatRefused) {
        EXPECT_TRUE(engine.data.empty()) << engine.data.size() << " bytes written";
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, StretchRefuses, testing::ValuesIn(Refusals),
                         [](const testing::TestParamInfo<Refusal>& info) {
                             return info.param.name;
                         });

TEST(StretchWave, EightBitSilenceStaysSilent) {
    const struct {
        int channels;
        Job job;
    } cases[] = {
        {1, {Ola, 0.5}}, {2, {Ola, 1.5}}, {1, {Ola, 4.0}}, {2, {Lin, 0.5}},
        {1, {Lin, 1.5}}, {2, {Lin, 4.0}}, {1, {Hq, 0.5}},  {2, {Hq, 2.0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.channels << " channels, ratio " << c.job.ratio
                                        << ", engine " << static_cast<int>(c.job.engine));
        const SourceLayout layout{c.channels, 22050, 8, 12000, Content::Silence};
        StretchRunner runner;
        const Outcome out = runner.RunEngine(FormatOf(layout), MakeData(layout), c.job);
        ASSERT_EQ(out.error, std::nullopt);
        EXPECT_EQ(out.data.size(),
                  static_cast<std::size_t>(ExpectedFrames(layout.frames, c.job) * c.channels));
        EXPECT_TRUE(std::ranges::all_of(out.data, [](std::uint8_t b) { return b == 128; }));
    }
}

TEST(StretchWaveLinear, SpeedValue250CopiesSixteenBitSamples) {
    for (const int channels : {1, 2}) {
        SCOPED_TRACE(channels);
        // Noise spans the whole 16-bit range except -32768, which alone would lower the gain.
        const SourceLayout layout{channels, 44100, 16, 30000, Content::Noise};
        const Bytes data = MakeData(layout);
        StretchRunner runner;
        const Outcome out = runner.RunEngine(FormatOf(layout), data, {Lin, SpeedToRatio(250)});
        ASSERT_EQ(out.error, std::nullopt);
        EXPECT_EQ(out.ratio, 1.0);
        EXPECT_TRUE(SameBytes(out.data, data));
    }
}

// With a block of 100 frames laid down every 50 frames at ratio 1, frames 25 to 49 come from
// the flat middle of the first block alone, so they show the gain unmixed.
TEST(StretchWave, QuietSourceKeepsItsLevel) {
    for (const int bits : {8, 16}) {
        SCOPED_TRACE(bits);
        const SourceLayout layout{1, 22050, bits, 2000, Content::Quiet};
        const Bytes data = MakeData(layout);
        StretchRunner runner;
        const Outcome out = runner.RunEngine(FormatOf(layout), data, {Ola, 1.0, 0, 100, 0.5});
        ASSERT_EQ(out.error, std::nullopt);
        ASSERT_EQ(out.data.size(), data.size());
        const std::size_t bytesPerFrame = static_cast<std::size_t>(bits / 8);
        EXPECT_TRUE(SameBytes(
            Bytes(out.data.begin() + 25 * bytesPerFrame, out.data.begin() + 50 * bytesPerFrame),
            Bytes(data.begin() + 25 * bytesPerFrame, data.begin() + 50 * bytesPerFrame)));
    }
}

TEST(StretchWave, OverlapPastFullScaleIsBroughtBackToFullScale) {
    for (const int bits : {8, 16}) {
        SCOPED_TRACE(bits);
        const SourceLayout layout{2, 22050, bits, 2000, Content::Tones};
        StretchRunner runner;
        const Outcome out =
            runner.RunEngine(FormatOf(layout), MakeData(layout), {Ola, 1.0, 0, 100, 0.5});
        ASSERT_EQ(out.error, std::nullopt);
        int loudest = 0;
        for (std::size_t i = 0; i < out.data.size(); i += static_cast<std::size_t>(bits / 8)) {
            const int sample = bits == 16
                                   ? static_cast<std::int16_t>(out.data[i] | out.data[i + 1] << 8)
                                   : out.data[i] - 128;
            loudest = std::max(loudest, std::abs(sample));
        }
        EXPECT_EQ(loudest, bits == 16 ? 32767 : 127);
    }
}

TEST(StretchWave, MissingStreamDoesNothing) {
    for (const Engine engine : {Ola, Lin}) {
        for (const bool missingSource : {true, false}) {
            SCOPED_TRACE(testing::Message() << (engine == Lin ? "linear, " : "")
                                            << (missingSource ? "source" : "destination"));
            TempDir dir;
            WriteWave(dir.File("source.wav"), Stereo16, Pattern(4000));
            TWaveFileStream source;
            source.SetFileName(dir.File("source.wav"));
            source.Open();
            TWaveFileStream destination;
            destination.SetFileName(dir.File("out.wav"));
            destination.Format = Stereo16;
            destination.CreateNew();
            TWaveFileStream* from = missingSource ? nullptr : &source;
            TWaveFileStream* to = missingSource ? &destination : nullptr;
            int reports = 0;
            const ProgressCallback progress = [&](const std::string&, double) { ++reports; };
            double ratio = 1.5;
            if (engine == Ola) {
                StretchWave(from, to, Stereo16, ratio, 0, 0, 0.0, progress);
            } else {
                StretchWaveLinear(from, to, Stereo16, ratio, 0, progress);
            }
            EXPECT_EQ(destination.GetSize(), 0);
            EXPECT_EQ(ratio, 1.5);
            EXPECT_EQ(reports, 0);
        }
    }
}

// Replaces the stage texts for one test, as the message table does at start-up.
class StageTexts {
public:
    StageTexts() : saved(WaveProcessingStages()) {
        WaveProcessingStages() = {"s", "c", "x", "r", "o", "e"};
    }
    ~StageTexts() { WaveProcessingStages() = saved; }
    StageTexts(const StageTexts&) = delete;
    StageTexts& operator=(const StageTexts&) = delete;

private:
    TWaveProcessingStages saved;
};

// Every engine reports its stages in order, each stage's fraction within 0 to 1 and never
// going back.
TEST(StretchWave, ReportsItsStagesInOrder) {
    const struct {
        Engine engine;
        // Past the 1,048,576 frames between restore reports for the cheap engines.
        std::int64_t frames;
        std::vector<std::string> stages;
    } cases[] = {
        {Ola, 1100000, {"s", "c", "x", "r", "o", "e"}},
        {Lin, 1100000, {"s", "c", "x", "o"}},
        {Hq, 40000, {"s", "c", "x", "r", "o", "e"}},
    };
    const StageTexts texts;
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.engine));
        const SourceLayout layout{2, 44100, 16, c.frames, Content::Noise};
        std::vector<std::pair<std::string, double>> reports;
        StretchRunner runner;
        const Outcome out = runner.RunEngine(FormatOf(layout), MakeData(layout), {c.engine, 1.5},
                                             [&](const std::string& stage, double fraction) {
                                                 reports.emplace_back(stage, fraction);
                                             });
        ASSERT_EQ(out.error, std::nullopt);
        std::vector<std::string> stages;
        for (std::size_t i = 0; i < reports.size(); ++i) {
            const auto& [stage, fraction] = reports[i];
            EXPECT_GE(fraction, 0.0) << stage;
            EXPECT_LE(fraction, 1.0) << stage;
            if (stages.empty() || stages.back() != stage) {
                stages.push_back(stage);
            } else {
                EXPECT_GE(fraction, reports[i - 1].second) << stage;
            }
        }
        EXPECT_EQ(stages, c.stages);
        // The linear engine makes no End report, so its last fraction stays below 1.
        if (c.stages.back() == "e") {
            EXPECT_EQ(reports.back().second, 1.0);
        }
    }
}

TEST(WaveProcessing, SampleKindFromChannelsAndBits) {
    const struct {
        int channels, bits, kind;
    } cases[] = {
        {1, 8, 1}, {1, 16, 2}, {2, 8, 3}, {2, 16, 4}, {2, 24, 0}, {3, 16, 0}, {0, 8, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SampleKind(MakePcmWaveFormat(c.channels, 44100, c.bits)), c.kind)
            << c.channels << " channels, " << c.bits << " bits";
    }
}

TEST(WaveProcessing, GainReachesFullScaleOnlyFromAbove) {
    EXPECT_EQ(ComputeGain(0.5, 0.7, 127.0), 127.0);
    EXPECT_EQ(ComputeGain(1.0, 0.2, 32767.0), 32767.0);
    EXPECT_EQ(ComputeGain(2.0, 0.5, 32767.0), 16383.5);
    EXPECT_EQ(ComputeGain(0.5, 4.0, 127.0), 31.75);
}

TEST(WaveProcessing, TaperWindowFadesTheOuterQuarters) {
    // 805 bytes hold 100 whole values; the 101st is outside the window.
    std::vector<double> values(101, 2.0);
    TaperWindow(values.data(), 805);
    EXPECT_EQ(values[0], 0.0);
    for (int k = 1; k < 100; ++k) {
        const double x = 2.0 * std::numbers::pi * k / 100.0;
        const bool tapered = x < std::numbers::pi / 2.0 || x > 3.0 * std::numbers::pi / 2.0;
        EXPECT_EQ(values[k], tapered ? 2.0 * ((1.0 - std::cos(2.0 * x)) / 2.0) : 2.0) << k;
    }
    EXPECT_EQ(values[100], 2.0);
}

TEST(WaveProcessing, SpeedValuesOfTheLinearEngine) {
    const struct {
        int value, semitones;
        const char* text;
    } cases[] = {
        {250, 0, "0"},    {370, 12, "+12"}, {130, -12, "-12"}, {490, 24, "+24"}, {500, 24, "+24"},
        {10, -24, "-24"}, {255, 0, "0"},    {265, 2, "+2"},    {245, 0, "0"},    {235, -2, "-2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(SpeedToSemitones(c.value), c.semitones);
        EXPECT_EQ(SemitoneText(c.value), c.text);
    }
    EXPECT_EQ(SpeedToRatio(250), 1.0);
    EXPECT_EQ(SpeedToRatio(370), 2.0);
    EXPECT_EQ(SpeedToRatio(130), 0.5);
    EXPECT_EQ(SpeedToRatio(490), 4.0);
    EXPECT_EQ(SpeedToRatio(10), 0.25);
}

} // namespace
