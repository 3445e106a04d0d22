#pragma once

#include "ffmpeg_library.h"

#include <memory>
#include <string>

// Owners of FFmpeg's objects, released through FFmpeg's own functions.
struct FormatContextDeleter {
    void operator()(AVFormatContext* context) const { Ffmpeg().avformat_close_input(&context); }
};
struct CodecContextDeleter {
    void operator()(AVCodecContext* context) const { Ffmpeg().avcodec_free_context(&context); }
};
struct FrameDeleter {
    void operator()(AVFrame* frame) const { Ffmpeg().av_frame_free(&frame); }
};
struct PacketDeleter {
    void operator()(AVPacket* packet) const { Ffmpeg().av_packet_free(&packet); }
};
struct SwrContextDeleter {
    void operator()(SwrContext* context) const { Ffmpeg().swr_free(&context); }
};

using FormatContextPtr = std::unique_ptr<AVFormatContext, FormatContextDeleter>;
using CodecContextPtr = std::unique_ptr<AVCodecContext, CodecContextDeleter>;
using FramePtr = std::unique_ptr<AVFrame, FrameDeleter>;
using PacketPtr = std::unique_ptr<AVPacket, PacketDeleter>;
using SwrContextPtr = std::unique_ptr<SwrContext, SwrContextDeleter>;

// FFmpeg's text for one of its error codes.
std::string FfmpegReason(int error);

// FFmpeg speaks on stderr unless told otherwise; our errors carry their reason themselves.
void SilenceFfmpegLog();
