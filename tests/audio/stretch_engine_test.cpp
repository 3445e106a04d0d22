#include "audio/stretch_engine.h"
#include "audio/wave_file_stream.h"
#include "platform/file_stream.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wave_fixture.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr double Tone = 440.0;
constexpr double Amplitude = 0.5;

// One second of a 440 Hz sine on every channel.
Bytes SineData(const PcmWaveFormat& format) {
    Bytes data;
    for (std::uint32_t frame = 0; frame < format.samplesPerSec; ++frame) {
        const double value =
            Amplitude * std::sin(2.0 * std::numbers::pi * Tone * frame / format.samplesPerSec);
        for (int channel = 0; channel < format.channels; ++channel) {
            AppendPcmSample(data, value, format.bitsPerSample);
        }
    }
    return data;
}

// One channel of a result, normalised to full scale.
std::vector<double> Channel(const Bytes& data, const PcmWaveFormat& format, int channel) {
    const std::size_t frames = data.size() / format.blockAlign;
    std::vector<double> values(frames);
    for (std::size_t frame = 0; frame < frames; ++frame) {
        values[frame] =
            PcmSampleAt(data, frame * format.channels + static_cast<std::size_t>(channel),
                        format.bitsPerSample);
    }
    return values;
}

// The middle 60 %, away from the fades a stretcher may put at either end.
std::vector<double> Middle(const std::vector<double>& values) {
    const std::size_t skip = values.size() / 5;
    return {values.begin() + static_cast<std::ptrdiff_t>(skip),
            values.end() - static_cast<std::ptrdiff_t>(skip)};
}

// From the rising zero crossings, placed between samples by linear interpolation.
double FrequencyOf(const std::vector<double>& values, double rate) {
    double first = -1.0;
    double last = -1.0;
    int crossings = 0;
    for (std::size_t i = 1; i < values.size(); ++i) {
        if (values[i - 1] < 0.0 && values[i] >= 0.0) {
            const double at =
                static_cast<double>(i - 1) + values[i - 1] / (values[i - 1] - values[i]);
            first = first < 0.0 ? at : first;
            last = at;
            ++crossings;
        }
    }
    return crossings < 2 ? 0.0 : (crossings - 1) * rate / (last - first);
}

double DecibelsOf(const std::vector<double>& values) {
    double sum = 0.0;
    for (const double value : values) {
        sum += value * value;
    }
    return 10.0 * std::log10(sum / static_cast<double>(values.size()));
}

struct QualityCase {
    int channels;
    int bits;
    int rate;
    double ratio;
};

const QualityCase QualityCases[] = {
    {1, 8, 11025, 0.5}, {1, 8, 22050, 2.0}, {1, 16, 44100, 0.5}, {1, 16, 22050, 2.0},
    {2, 8, 22050, 0.5}, {2, 8, 44100, 2.0}, {2, 16, 11025, 0.5}, {2, 16, 44100, 2.0},
};

void PrintTo(const QualityCase& c, std::ostream* os) {
    *os << c.channels << " channels, " << c.bits << " bits, " << c.rate << " Hz, ratio " << c.ratio;
}

class HighQualityStretch : public testing::TestWithParam<QualityCase> {};

// Half and twice as long: the exact length every engine gives, and the sine's pitch and level.
TEST_P(HighQualityStretch, KeepsLengthPitchAndLevel) {
    const QualityCase& c = GetParam();
    const PcmWaveFormat format = MakePcmWaveFormat(c.channels, c.rate, c.bits);
    TempDir dir;
    WriteWave(dir.File("sine.wav"), format, SineData(format));

    StretchRequest request;
    request.Ratio = c.ratio;
    const auto engine = MakeStretchEngine(StretchEngineKind::HighQuality);
    EXPECT_EQ(StretchWaveFile(*engine, dir.File("sine.wav"), dir.File("out.wav"), request, {}),
              c.ratio);

    TWaveFileStream result;
    result.SetFileName(dir.File("out.wav"));
    result.Open();
    ASSERT_EQ(result.Format, format);
    Bytes data(static_cast<std::size_t>(result.GetSize()));
    ASSERT_EQ(result.Read(data.data(), result.GetSize()), result.GetSize());
    EXPECT_EQ(data.size(), static_cast<std::size_t>(c.rate * c.ratio) * format.blockAlign);

    const double sourceDecibels = 20.0 * std::log10(Amplitude / std::sqrt(2.0));
    for (int channel = 0; channel < c.channels; ++channel) {
        SCOPED_TRACE(channel);
        const std::vector<double> middle = Middle(Channel(data, format, channel));
        EXPECT_NEAR(FrequencyOf(middle, c.rate), Tone, 1.0);
        EXPECT_NEAR(DecibelsOf(middle), sourceDecibels, 1.0);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, HighQualityStretch, testing::ValuesIn(QualityCases),
                         [](const testing::TestParamInfo<QualityCase>& info) {
                             const QualityCase& c = info.param;
                             return (c.channels == 1 ? "Mono" : "Stereo") + std::to_string(c.bits) +
                                    "At" + std::to_string(c.rate) +
                                    (c.ratio < 1.0 ? "Half" : "Double");
                         });

struct FileCase {
    const char* name;
    StretchEngineKind engine;
    PcmWaveFormat format;
    double ratio;
};

// Each fails: a format no engine takes before the target exists, the others while writing it.
const FileCase FailingCases[] = {
    {"TwentyFourBit", StretchEngineKind::HighQuality, MakePcmWaveFormat(2, 44100, 24), 1.5},
    {"RateBelowTheHighQualityRange", StretchEngineKind::HighQuality, MakePcmWaveFormat(1, 4000, 16),
     1.5},
    {"AutomaticBlockBelowTenFrames", StretchEngineKind::Described, MakePcmWaveFormat(2, 44100, 16),
     12.0},
};

void PrintTo(const FileCase& c, std::ostream* os) {
    *os << c.name;
}

class StretchWaveFileFailure : public testing::TestWithParam<FileCase> {};

TEST_P(StretchWaveFileFailure, LeavesNoTarget) {
    const FileCase& c = GetParam();
    TempDir dir;
    WriteWave(dir.File("source.wav"), c.format, Pattern(6000));
    StretchRequest request;
    request.Ratio = c.ratio;
    const auto engine = MakeStretchEngine(c.engine);
    EXPECT_THROW(StretchWaveFile(*engine, dir.File("source.wav"), dir.File("out.wav"), request, {}),
                 EWaveProcessing);
    EXPECT_FALSE(FileStream::Exists(dir.File("out.wav")));
}

INSTANTIATE_TEST_SUITE_P(Cases, StretchWaveFileFailure, testing::ValuesIn(FailingCases),
                         [](const testing::TestParamInfo<FileCase>& info) {
                             return info.param.name;
                         });

TEST(StretchEngineChoice, SemitoneModeFirstThenTheQualityOption) {
    const struct {
        bool linear;
        int stored;
        StretchEngineKind engine;
    } cases[] = {
        {false, StretchEngineDescribed, StretchEngineKind::Described},
        {false, StretchEngineHighQuality, StretchEngineKind::HighQuality},
        {true, StretchEngineDescribed, StretchEngineKind::Linear},
        {true, StretchEngineHighQuality, StretchEngineKind::Linear},
        {false, 7, StretchEngineKind::Described},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ChooseStretchEngine(c.linear, c.stored), c.engine)
            << c.linear << ", " << c.stored;
    }
}

} // namespace
