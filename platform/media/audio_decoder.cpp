#include "audio_decoder.h"

#include "platform/pcm_source.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

bool IsLossless(AVCodecID id) {
    const AVCodecDescriptor* descriptor = Ffmpeg().avcodec_descriptor_get(id);
    return descriptor && (descriptor->props & AV_CODEC_PROP_LOSSLESS) &&
           !(descriptor->props & AV_CODEC_PROP_LOSSY);
}

// Whether a stream found on opening the file again is the one decoded so far.
bool SameAudio(const AVCodecParameters& now, const AVCodecParameters& before) {
    return now.codec_type == AVMEDIA_TYPE_AUDIO && now.codec_id == before.codec_id &&
           now.sample_rate == before.sample_rate && now.extradata_size == before.extradata_size &&
           (now.extradata_size == 0 ||
            std::memcmp(now.extradata, before.extradata, now.extradata_size) == 0);
}

} // namespace

AudioDecoder::AudioDecoder(const std::string& path) : path(path) {
    SilenceFfmpegLog();
    if (!frame || !packet) {
        Fail(FfmpegReason(AVERROR(ENOMEM)));
    }
    const int opened = OpenFormat(format);
    if (opened == AVERROR_INVALIDDATA || opened == AVERROR(EINVAL)) {
        Fail("the file is not in a format FFmpeg can read");
    }
    if (opened < 0) {
        Fail(FfmpegReason(opened));
    }
    const int index =
        Ffmpeg().av_find_best_stream(format.get(), AVMEDIA_TYPE_AUDIO, -1, -1, &decoder, 0);
    if (index == AVERROR_STREAM_NOT_FOUND) {
        Fail("the file has no audio stream");
    }
    if (index < 0) {
        Fail("no decoder for its audio format");
    }
    SelectStream(index);
    rate = stream->codecpar->sample_rate;
    if (rate <= 0) {
        Fail("the audio stream has no sample rate");
    }
    if (av_cmp_q(stream->time_base, AVRational{1, rate}) > 0) {
        tick = Ffmpeg().av_rescale_q_rnd(1, stream->time_base, AVRational{1, rate}, AV_ROUND_UP);
    }

    const int codecOpened = OpenCodec();
    if (codecOpened < 0) {
        Fail(FfmpegReason(codecOpened));
    }
}

// A demuxer of its own, handed over only once it has read the file's streams.
int AudioDecoder::OpenFormat(FormatContextPtr& opened) const {
    AVFormatContext* raw = nullptr;
    const int result = Ffmpeg().avformat_open_input(&raw, path.c_str(), nullptr, nullptr);
    if (result < 0) {
        return result;
    }
    FormatContextPtr context(raw);
    const int found = Ffmpeg().avformat_find_stream_info(raw, nullptr);
    if (found >= 0) {
        opened = std::move(context);
    }
    return found;
}

// The file opened again on a fresh demuxer, which takes the place of the current one only when
// it holds the same audio stream: until then `stream` and the decoder stay on the old one.
void AudioDecoder::Reopen() {
    FormatContextPtr fresh;
    const int reopened = OpenFormat(fresh);
    if (reopened < 0) {
        throw EMediaError("Cannot seek in \"" + path + "\": " + FfmpegReason(reopened));
    }
    const int index = stream->index;
    if (index >= static_cast<int>(fresh->nb_streams) ||
        !SameAudio(*fresh->streams[index]->codecpar, *stream->codecpar)) {
        throw EMediaError("Cannot seek in \"" + path +
                          "\": the file has changed since it was opened");
    }
    format = std::move(fresh);
    SelectStream(index);
}

void AudioDecoder::SelectStream(int index) {
    stream = format->streams[index];
    for (unsigned i = 0; i < format->nb_streams; ++i) {
        if (static_cast<int>(i) != index) {
            format->streams[i]->discard = AVDISCARD_ALL;
        }
    }
}

// A fresh decoder: flushing leaves some decoders (AAC) with state that changes the first frame.
int AudioDecoder::OpenCodec() {
    codec.reset(Ffmpeg().avcodec_alloc_context3(decoder));
    if (!codec) {
        return AVERROR(ENOMEM);
    }
    const int result = Ffmpeg().avcodec_parameters_to_context(codec.get(), stream->codecpar);
    if (result < 0) {
        return result;
    }
    codec->pkt_timebase = stream->time_base;
    return Ffmpeg().avcodec_open2(codec.get(), decoder, nullptr);
}

void AudioDecoder::Fail(const std::string& reason) const {
    throw EMediaError("Cannot open \"" + path + "\": " + reason);
}

std::int64_t AudioDecoder::ToFrames(std::int64_t timestamp) const {
    return Ffmpeg().av_rescale_q(timestamp, stream->time_base, AVRational{1, rate});
}

bool AudioDecoder::Next() {
    for (;;) {
        const int result = Ffmpeg().avcodec_receive_frame(codec.get(), frame.get());
        if (result == 0) {
            resampler.Configure(frame->ch_layout, static_cast<AVSampleFormat>(frame->format),
                                frame->sample_rate, rate);
            sampleCount = resampler.Convert(const_cast<const std::uint8_t**>(frame->extended_data),
                                            frame->nb_samples);
            if (sampleCount > 0) {
                Place();
                return true;
            }
            continue;
        }
        if (result == AVERROR_EOF || (result != AVERROR(EAGAIN) && inputEnded)) {
            sampleCount = 0;
            return false;
        }
        // EAGAIN wants the next packet; any other error dropped a packet that did not decode.
        if (!Feed()) {
            Ffmpeg().avcodec_send_packet(codec.get(), nullptr);
            inputEnded = true;
        }
    }
}

// Hands the decoder the stream's next packet; false at the end of the input.
bool AudioDecoder::Feed() {
    for (;;) {
        if (Ffmpeg().av_read_frame(format.get(), packet.get()) < 0) {
            return false;
        }
        const bool ours = packet->stream_index == stream->index;
        if (ours) {
            NotePacket();
            // A packet the decoder rejects is skipped.
            Ffmpeg().avcodec_send_packet(codec.get(), packet.get());
        }
        Ffmpeg().av_packet_unref(packet.get());
        if (ours) {
            return true;
        }
    }
}

std::optional<std::int64_t> AudioDecoder::FrameLabel() const {
    if (frame->best_effort_timestamp == AV_NOPTS_VALUE) {
        return std::nullopt;
    }
    return ToFrames(frame->best_effort_timestamp);
}

// Some frames carry a time that is not where they start (Vorbis frames at a block size change),
// so a frame's time counts only when the frame before ends there (within one tick of a coarse
// time base such as Matroska's milliseconds); from then on frames are counted, as a read from
// the start counts them.
void AudioDecoder::Place() {
    const std::optional<std::int64_t> label = FrameLabel();
    if (countedStart) {
        position = countedStart;
    } else if (label && labelledEnd && std::abs(*label - *labelledEnd) <= tick) {
        position = label;
    } else {
        position.reset();
    }
    countedStart = position ? std::optional(*position + sampleCount) : std::nullopt;
    labelledEnd = label ? std::optional(*label + sampleCount) : std::nullopt;
}

void AudioDecoder::SeekBefore(std::int64_t frame) {
    SeekTo(Ffmpeg().av_rescale_q_rnd(frame, AVRational{1, rate}, stream->time_base, AV_ROUND_DOWN));
}

void AudioDecoder::Rewind() {
    // The first packet may lie before time zero (AAC priming, Opus pre-skip).
    SeekTo(firstTimestamp.value_or(0));
}

void AudioDecoder::NotePacket() {
    if (!firstTimestamp) {
        firstTimestamp = packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
    }
    if (packet->pos >= 0 && packet->pos == lastPosition) {
        sharedPositions = true;
    }
    lastPosition = packet->pos;
}

void AudioDecoder::SeekTo(std::int64_t timestamp) {
    // FFmpeg indexes the packets it has read by their file position. Where several packets
    // share one (Ogg pages) that index labels the packets after a seek with wrong times, so
    // such files seek on a fresh demuxer, which finds the page by its own search.
    if (sharedPositions) {
        Reopen();
    }
    int result = Ffmpeg().avformat_seek_file(format.get(), stream->index, INT64_MIN, timestamp,
                                             timestamp, 0);
    if (result < 0) {
        result =
            Ffmpeg().av_seek_frame(format.get(), stream->index, timestamp, AVSEEK_FLAG_BACKWARD);
    }
    if (result >= 0) {
        result = OpenCodec();
    }
    if (result < 0) {
        throw EMediaError("Cannot seek in \"" + path + "\": " + FfmpegReason(result));
    }
    resampler.Reset();
    inputEnded = false;
    sampleCount = 0;
    position.reset();
    countedStart.reset();
    labelledEnd.reset();
}

std::int64_t AudioDecoder::MeasureEnd() {
    const std::optional<std::int64_t> declared = DeclaredEnd();
    if (declared && IsLossless(stream->codecpar->codec_id)) {
        return *declared;
    }
    const std::optional<std::int64_t> lastPacketEnd = CountEnd();
    if (!lastPacketEnd) {
        if (declared) {
            return *declared;
        }
        Fail("its length cannot be found");
    }
    // Containers cut the last packet short in its duration (Ogg, edit lists) or in the
    // padding the decoder is told to drop (LAME tags): decoding the last second shows both.
    // A song shorter than that is decoded whole: a seek before its first packet fails.
    const std::int64_t lastSecond = *lastPacketEnd - rate;
    if (lastSecond > ToFrames(firstTimestamp.value_or(0))) {
        SeekBefore(lastSecond);
    } else {
        Rewind();
    }
    std::int64_t decodedEnd = *lastPacketEnd;
    while (Next()) {
        if (const std::optional<std::int64_t> start = FramePosition()) {
            decodedEnd = *start + sampleCount;
        }
    }
    return std::min(*lastPacketEnd, decodedEnd);
}

std::optional<std::int64_t> AudioDecoder::DeclaredEnd() const {
    if (stream->duration == AV_NOPTS_VALUE || stream->duration <= 0 ||
        format->duration_estimation_method == AVFMT_DURATION_FROM_BITRATE) {
        return std::nullopt;
    }
    const std::int64_t start = stream->start_time == AV_NOPTS_VALUE ? 0 : stream->start_time;
    return ToFrames(start + stream->duration);
}

std::optional<std::int64_t> AudioDecoder::CountEnd() {
    std::optional<std::int64_t> end;
    std::optional<std::int64_t> next; // where the packet after the last one read starts
    while (Ffmpeg().av_read_frame(format.get(), packet.get()) >= 0) {
        if (packet->stream_index == stream->index) {
            NotePacket();
        }
        if (packet->stream_index == stream->index && !(packet->flags & AV_PKT_FLAG_DISCARD)) {
            const std::int64_t start = packet->pts != AV_NOPTS_VALUE ? packet->pts
                                       : packet->dts != AV_NOPTS_VALUE
                                           ? packet->dts
                                           : next.value_or(AV_NOPTS_VALUE);
            if (start != AV_NOPTS_VALUE) {
                next = start + packet->duration;
                end = std::max(end.value_or(*next), *next);
            }
        }
        Ffmpeg().av_packet_unref(packet.get());
    }
    if (!end) {
        return std::nullopt;
    }
    return ToFrames(*end);
}
