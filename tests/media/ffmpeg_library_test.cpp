// FFmpeg's libraries are opened at the first use of its functions, not with the program: this
// test program links the media library and has used none of them when the test starts.
#include "platform/media/ffmpeg_library.h"

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
    const FfmpegLibrary& library = Ffmpeg();
    EXPECT_TRUE(IsLoaded(Codecs));
    EXPECT_TRUE(IsLoaded(Formats));
    EXPECT_NE(library.avformat_open_input, nullptr);
    EXPECT_NE(library.swr_convert, nullptr);
    EXPECT_EQ(&Ffmpeg(), &library);
}

} // namespace
