#include "ffmpeg_library.h"

#include "platform/pcm_source.h"

#include <dlfcn.h>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

// The libraries the headers were written for, by their major version.
const char* const LibraryNames[] = {
    "libavutil.so." AV_STRINGIFY(LIBAVUTIL_VERSION_MAJOR),
    "libswresample.so." AV_STRINGIFY(LIBSWRESAMPLE_VERSION_MAJOR),
    "libavcodec.so." AV_STRINGIFY(LIBAVCODEC_VERSION_MAJOR),
    "libavformat.so." AV_STRINGIFY(LIBAVFORMAT_VERSION_MAJOR),
};

// Opens the libraries for good (they are never closed) and finds every function in them.
FfmpegLibrary Load() {
    std::vector<void*> handles;
    for (const char* name : LibraryNames) {
        void* handle = dlopen(name, RTLD_NOW | RTLD_LOCAL);
        if (handle == nullptr) {
            throw EMediaError(std::string("Cannot load FFmpeg: ") + dlerror());
        }
        handles.push_back(handle);
    }
    const auto find = [&handles](const char* name) {
        for (void* handle : handles) {
            if (void* address = dlsym(handle, name)) {
                return address;
            }
        }
        throw EMediaError(std::string("Cannot load FFmpeg: no function ") + name);
    };
    FfmpegLibrary library;
#define QUAVREL_FFMPEG_FIND(name) library.name = reinterpret_cast<decltype(&::name)>(find(#name));
    QUAVREL_FFMPEG_FUNCTIONS(QUAVREL_FFMPEG_FIND)
#undef QUAVREL_FFMPEG_FIND
    return library;
}

} // namespace

const FfmpegLibrary& Ffmpeg() {
    static std::once_flag once;
    static FfmpegLibrary library;
    // A failed load throws out of call_once, which then lets the next call try again.
    std::call_once(once, [] { library = Load(); });
    return library;
}

void PreloadFfmpeg() {
    std::thread([] {
        try {
            Ffmpeg();
        } catch (const EMediaError&) {
            // The first media file opened tells the user.
        }
    }).detach();
}
