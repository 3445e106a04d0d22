#include "media_fixture.h"
#include "platform/media/media_file.h"
#include "tests/support/wave_fixture.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

namespace {

struct MediaCase {
    std::string name; // the extension picks the format
    int rate;
    int channels;
    bool lossless; // decodes to the source bit for bit
    bool gapless;  // the file records the encoder's delay and padding
};

std::ostream& operator<<(std::ostream& out, const MediaCase& media) {
    return out << media.name;
}

class MediaFileTest : public testing::TestWithParam<MediaCase> {
protected:
    void SetUp() override {
        const MediaCase& media = GetParam();
        signal = MakeClickSignal(media.rate, media.channels, media.rate * 3, media.rate * 5 / 4);
        ASSERT_NO_FATAL_FAILURE(EncodeMedia(dir, signal, media.name));
        source = OpenMediaFile(dir.File(media.name));
    }

    TempDir dir;
    ClickSignal signal;
    std::unique_ptr<PcmSource> source;
};

TEST_P(MediaFileTest, ExactLengthAndClickFromTheStart) {
    const MediaCase& media = GetParam();
    EXPECT_EQ(source->Format().channels, 2);
    EXPECT_EQ(source->Format().bitsPerSample, 16);
    EXPECT_EQ(source->Format().samplesPerSec, media.rate);

    const std::vector<std::int16_t> decoded = ReadToEnd(*source);
    EXPECT_EQ(static_cast<std::int64_t>(decoded.size() / 2), source->Frames());
    if (!media.gapless) {
        return; // the length is what FFmpeg decodes, delay and padding included
    }
    EXPECT_EQ(source->Frames(), signal.frames);
    EXPECT_EQ(PeakFrame(decoded), signal.click);
    if (media.lossless) {
        // Mono goes to both channels at full level.
        std::vector<std::int16_t> expected;
        for (std::size_t i = 0; i < signal.samples.size(); ++i) {
            expected.insert(expected.end(), media.channels == 1 ? 2 : 1, signal.samples[i]);
        }
        EXPECT_TRUE(decoded == expected);
    }
}

TEST_P(MediaFileTest, SeekLandsOnTheExactFrame) {
    const std::vector<std::int16_t> fromStart = ReadToEnd(*source);
    const std::int64_t click = PeakFrame(fromStart);
    const std::int64_t frames = source->Frames();
    // Back and forth, near and far, inside one decoded frame and across the end.
    for (const std::int64_t target : {click - 1, click - 20000, std::int64_t{1}, click - 3,
                                      click + 7, frames - 100, click - 4000, std::int64_t{0}}) {
        SCOPED_TRACE("seek to " + std::to_string(target));
        EXPECT_TRUE(SeekReadsAsFromStart(*source, fromStart, target, 12000));
        if (target <= click && click < target + 12000) {
            source->Seek(target);
            EXPECT_EQ(PeakFrame(ReadFrames(*source, 12000)), click - target);
        }
    }
    source->Seek(frames + 5);
    std::uint8_t piece[4];
    EXPECT_EQ(source->Read(piece, 1), 0);
}

INSTANTIATE_TEST_SUITE_P(Formats, MediaFileTest,
                         testing::Values(MediaCase{"stereo.wav", 44100, 2, true, true},
                                         MediaCase{"mono.wav", 44100, 1, true, true},
                                         MediaCase{"stereo.flac", 44100, 2, true, true},
                                         MediaCase{"mono.flac", 44100, 1, true, true},
                                         MediaCase{"stereo.ogg", 44100, 2, false, true},
                                         MediaCase{"stereo.mp3", 44100, 2, false, true},
                                         MediaCase{"mono.mp3", 44100, 1, false, true},
                                         MediaCase{"stereo.m4a", 44100, 2, false, true},
                                         MediaCase{"stereo.opus", 48000, 2, false, true},
                                         MediaCase{"bare.mp3", 44100, 2, false, false},
                                         MediaCase{"stereo.aac", 44100, 2, false, false}),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             std::replace(name.begin(), name.end(), '.', '_');
                             return name;
                         });

// A song shorter than the second the length is checked over opens with its exact length and
// seeks like any other.
TEST(MediaFileShortTest, ASongShorterThanASecondOpensWithItsLength) {
    TempDir dir;
    const ClickSignal signal = MakeClickSignal(44100, 2, 22050, 10000);
    for (const std::string name : {"short.mp3", "short.m4a", "short.flac"}) {
        SCOPED_TRACE(name);
        ASSERT_NO_FATAL_FAILURE(EncodeMedia(dir, signal, name));
        const std::unique_ptr<PcmSource> source = OpenMediaFile(dir.File(name));
        EXPECT_EQ(source->Frames(), signal.frames);
        const std::vector<std::int16_t> fromStart = ReadToEnd(*source);
        EXPECT_EQ(static_cast<std::int64_t>(fromStart.size() / 2), signal.frames);
        EXPECT_EQ(PeakFrame(fromStart), signal.click);
        EXPECT_TRUE(SeekReadsAsFromStart(*source, fromStart, 9000, 2000));
    }
}

struct BrokenFile {
    std::string name;
    std::function<void(const std::string& path)> make; // nothing for a missing file
    std::string reason;
};

TEST(MediaFileErrorTest, UnplayableFilesGiveAClearError) {
    TempDir dir;
    ASSERT_NO_FATAL_FAILURE(MakeVideoWithoutSound(dir, "video.mkv"));
    const std::string unreadable = "the file is not in a format FFmpeg can read";
    const std::vector<BrokenFile> files = {
        {"missing.mp3", nullptr, "No such file or directory"},
        {"empty.wav", [](const std::string& path) { WriteFile(path, {}); }, unreadable},
        {"noise.mp3", [](const std::string& path) { WriteFile(path, Pattern(50000)); }, unreadable},
        {"video.mkv", nullptr, "the file has no audio stream"},
    };
    for (const BrokenFile& file : files) {
        SCOPED_TRACE(file.name);
        const std::string path = dir.File(file.name);
        if (file.make) {
            file.make(path);
        }
        try {
            OpenMediaFile(path);
            ADD_FAILURE() << "no error";
        } catch (const EMediaError& error) {
            EXPECT_EQ(error.Message(), "Cannot open \"" + path + "\": " + file.reason);
        }
    }
}

// A file cut short plays what it has; one damaged in the middle plays on after the damage.
TEST(MediaFileErrorTest, DamagedFilesPlayWhatTheyHave) {
    TempDir dir;
    const ClickSignal signal = MakeClickSignal(44100, 2, 132300, 55555);
    for (const std::string name :
         {"cut.wav", "cut.flac", "cut.mp3", "cut.ogg", "hole.mp3", "hole.ogg", "hole.flac"}) {
        SCOPED_TRACE(name);
        ASSERT_NO_FATAL_FAILURE(EncodeMedia(dir, signal, name));
        Bytes bytes = ReadFile(dir.File(name));
        if (name.starts_with("cut")) {
            bytes.resize(bytes.size() / 2);
        } else {
            const Bytes noise = Pattern(3000, 9);
            std::copy(noise.begin(), noise.end(), bytes.begin() + bytes.size() / 2);
        }
        WriteFile(dir.File(name), bytes);

        const std::unique_ptr<PcmSource> source = OpenMediaFile(dir.File(name));
        const std::int64_t frames = static_cast<std::int64_t>(ReadToEnd(*source).size() / 2);
        if (name.starts_with("cut")) {
            EXPECT_GT(frames, signal.frames / 3);
            EXPECT_LT(frames, signal.frames * 2 / 3);
        } else {
            EXPECT_GT(frames, signal.frames * 6 / 10); // went on after the damage
        }
        source->Seek(signal.frames * 3 / 4);
        std::uint8_t piece[4 * 100];
        source->Read(piece, 100);
    }
}

// An Ogg file seeks on a demuxer opened afresh. Should the file have been replaced meanwhile,
// the seek fails and the song plays on from where it was, on the file it opened first.
TEST(MediaFileErrorTest, SeekInAFileReplacedMeanwhileFailsAndPlaysOn) {
    namespace fs = std::filesystem;
    TempDir dir;
    const ClickSignal signal = MakeClickSignal(44100, 2, 132300, 55555);
    ASSERT_NO_FATAL_FAILURE(EncodeMedia(dir, signal, "song.ogg"));
    ASSERT_NO_FATAL_FAILURE(EncodeMedia(dir, signal, "other.wav"));
    ASSERT_NO_FATAL_FAILURE(MakeVideoWithoutSound(dir, "other.mkv"));
    const std::string path = dir.File("song.ogg");
    const std::string kept = dir.File("kept.ogg");
    const std::vector<std::int16_t> fromStart = ReadToEnd(*OpenMediaFile(path));
    const std::string changed = "the file has changed since it was opened";
    const struct {
        std::string replacement; // empty: none
        std::string reason;
    } cases[] = {
        {"other.wav", changed},
        {"other.mkv", changed},
        {"", "No such file or directory"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.replacement);
        const std::unique_ptr<PcmSource> source = OpenMediaFile(path);
        ReadFrames(*source, 5000);
        fs::rename(path, kept);
        if (!c.replacement.empty()) {
            fs::copy_file(dir.File(c.replacement), path);
        }
        try {
            source->Seek(100000);
            ADD_FAILURE() << "no error";
        } catch (const EMediaError& error) {
            EXPECT_EQ(error.Message(), "Cannot seek in \"" + path + "\": " + c.reason);
        }
        const std::vector<std::int16_t> after = ReadFrames(*source, 10000);
        EXPECT_TRUE(std::equal(after.begin(), after.end(), fromStart.begin() + 5000 * 2,
                               fromStart.begin() + 15000 * 2));
        EXPECT_EQ(after.size(), 10000u * 2);

        fs::remove(path);
        fs::rename(kept, path);
        EXPECT_TRUE(SeekReadsAsFromStart(*source, fromStart, 100000, 4000));
    }
}

} // namespace
