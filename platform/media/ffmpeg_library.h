#pragma once

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswresample/swresample.h>
}

// Every FFmpeg function the decoding calls.
#define QUAVREL_FFMPEG_FUNCTIONS(F)                                                                \
    F(av_channel_layout_compare)                                                                   \
    F(av_channel_layout_copy)                                                                      \
    F(av_channel_layout_default)                                                                   \
    F(av_channel_layout_uninit)                                                                    \
    F(av_find_best_stream)                                                                         \
    F(av_frame_alloc)                                                                              \
    F(av_frame_free)                                                                               \
    F(av_log_set_level)                                                                            \
    F(av_packet_alloc)                                                                             \
    F(av_packet_free)                                                                              \
    F(av_packet_unref)                                                                             \
    F(av_read_frame)                                                                               \
    F(av_rescale_q)                                                                                \
    F(av_rescale_q_rnd)                                                                            \
    F(av_rescale_rnd)                                                                              \
    F(av_seek_frame)                                                                               \
    F(av_strerror)                                                                                 \
    F(avcodec_alloc_context3)                                                                      \
    F(avcodec_descriptor_get)                                                                      \
    F(avcodec_free_context)                                                                        \
    F(avcodec_open2)                                                                               \
    F(avcodec_parameters_to_context)                                                               \
    F(avcodec_receive_frame)                                                                       \
    F(avcodec_send_packet)                                                                         \
    F(avformat_close_input)                                                                        \
    F(avformat_find_stream_info)                                                                   \
    F(avformat_open_input)                                                                         \
    F(avformat_seek_file)                                                                          \
    F(swr_alloc_set_opts2)                                                                         \
    F(swr_convert)                                                                                 \
    F(swr_free)                                                                                    \
    F(swr_get_out_samples)                                                                         \
    F(swr_init)                                                                                    \
    F(swr_set_matrix)

// FFmpeg's libraries, opened at their first use rather than with the program: with the codecs
// they bring in (well over a hundred libraries) they take longer to load than the rest of the
// start-up, and a program that has opened no media file needs none of them.
struct FfmpegLibrary {
#define QUAVREL_FFMPEG_MEMBER(name) decltype(&::name) name = nullptr;
    QUAVREL_FFMPEG_FUNCTIONS(QUAVREL_FFMPEG_MEMBER)
#undef QUAVREL_FFMPEG_MEMBER
};

// The functions, the libraries opened at the first call from any thread (a call while another
// thread opens them waits for that). Throws EMediaError when a library or function is missing.
const FfmpegLibrary& Ffmpeg();

// Starts opening the libraries on a thread of their own, so that a media file opened soon
// after finds them ready.
void PreloadFfmpeg();
