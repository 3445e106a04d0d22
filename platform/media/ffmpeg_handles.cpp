#include "ffmpeg_handles.h"

#include <mutex>

std::string FfmpegReason(int error) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    Ffmpeg().av_strerror(error, text, sizeof text);
    return text;
}

void SilenceFfmpegLog() {
    static std::once_flag once;
    std::call_once(once, [] { Ffmpeg().av_log_set_level(AV_LOG_QUIET); });
}
