// FFmpeg's libraries are opened at the first use of its functions, not with the program: this
// test program links the media library and has used none of them when the test starts.
#include "platform/media/ffmpeg_library.h"
#include "platform/media/media_file.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wave_fixture.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

namespace {

bool IsLoaded(const char* library) {
    void* handle = dlopen(library, RTLD_NOW | RTLD_NOLOAD);
    if (handle == nullptr) {
        return false;
    }
    dlclose(handle);
    return true;
}

const char* const Codecs = "libavcodec.so." AV_STRINGIFY(LIBAVCODEC_VERSION_MAJOR);
const char* const Formats = "libavformat.so." AV_STRINGIFY(LIBAVFORMAT_VERSION_MAJOR);

TEST(FfmpegLibraryTest, OpensTheLibrariesAtTheFirstUseOnly) {
    EXPECT_FALSE(IsLoaded(Codecs));
    EXPECT_FALSE(IsLoaded(Formats));
    // A plain WAVE song, the program's own recordings' kind, is read without them.
    TempDir dir;
    WriteWave(dir.File("song.wav"), MakePcmWaveFormat(2, 44100, 16), Pattern(4000));
    EXPECT_FALSE(OpensThroughFfmpeg(dir.File("song.wav")));
    std::vector<std::uint8_t> frames(1000 * 4);
    EXPECT_EQ(OpenMediaFile(dir.File("song.wav"))->Read(frames.data(), 1000), 1000);
    EXPECT_FALSE(IsLoaded(Codecs));
    EXPECT_FALSE(IsLoaded(Formats));
    const FfmpegLibrary& library = Ffmpeg();
    EXPECT_TRUE(IsLoaded(Codecs));
    EXPECT_TRUE(IsLoaded(Formats));
    EXPECT_NE(library.avformat_open_input, nullptr);
    EXPECT_NE(library.swr_convert, nullptr);
    EXPECT_EQ(&Ffmpeg(), &library);
}

} // namespace
