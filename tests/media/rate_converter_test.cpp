#include "media_fixture.h"
#include "platform/media/media_file.h"
#include "platform/media/rate_converter.h"

#include <gtest/gtest.h>

namespace {

struct RateCase {
    int from;
    int to;
};

std::ostream& operator<<(std::ostream& out, const RateCase& rates) {
    return out << rates.from << " to " << rates.to;
}

class RateConverterTest : public testing::TestWithParam<RateCase> {};

TEST_P(RateConverterTest, SameSoundAtTheNewRate) {
    const RateCase rates = GetParam();
    TempDir dir;
    const ClickSignal signal = MakeClickSignal(rates.from, 2, rates.from * 3, rates.from * 5 / 4);
    ASSERT_NO_FATAL_FAILURE(EncodeMedia(dir, signal, "song.wav"));
    const std::unique_ptr<PcmSource> source =
        ConvertRate(OpenMediaFile(dir.File("song.wav")), rates.to);

    EXPECT_EQ(source->Format().samplesPerSec, rates.to);
    EXPECT_EQ(source->Frames(), rates.to * 3);
    const std::vector<std::int16_t> fromStart = ReadToEnd(*source);
    EXPECT_EQ(static_cast<std::int64_t>(fromStart.size() / 2), source->Frames());
    const std::int64_t click = signal.click * rates.to / rates.from;
    EXPECT_NEAR(PeakFrame(fromStart), click, 1);

    for (const std::int64_t target :
         {click - 5, std::int64_t{1}, click - 9000, source->Frames() - 50, std::int64_t{0}}) {
        SCOPED_TRACE("seek to " + std::to_string(target));
        EXPECT_TRUE(SeekReadsAsFromStart(*source, fromStart, target, 10000));
    }
}

INSTANTIATE_TEST_SUITE_P(Rates, RateConverterTest,
                         testing::Values(RateCase{48000, 44100}, RateCase{22050, 44100}));

TEST(RateConverterTest, SourceAtTheRateComesBackAsItIs) {
    TempDir dir;
    ASSERT_NO_FATAL_FAILURE(EncodeMedia(dir, MakeClickSignal(44100, 2, 4410, 100), "song.wav"));
    std::unique_ptr<PcmSource> source = OpenMediaFile(dir.File("song.wav"));
    const PcmSource* original = source.get();
    EXPECT_EQ(ConvertRate(std::move(source), 44100).get(), original);
}

} // namespace
