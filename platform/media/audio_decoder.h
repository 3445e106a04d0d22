#pragma once

#include "ffmpeg_handles.h"
#include "resampler.h"

#include <cstdint>
#include <optional>
#include <string>

// The audio stream of one media file, decoded frame by frame into 16-bit stereo at the stream's
// own rate. Positions count frames of that rate on the file's own time line.
class AudioDecoder {
public:
    // Throws EMediaError naming the file when it cannot be opened or holds no audio.
    explicit AudioDecoder(const std::string& path);

    int Rate() const { return rate; }

    // Decodes the next frame; false at the end of the stream. A packet that does not decode is
    // skipped, as players do, and input that breaks off ends the stream there.
    bool Next();
    // The frame just decoded, interleaved stereo.
    const std::int16_t* Samples() const { return resampler.Output(); }
    int SampleCount() const { return sampleCount; }
    // The time the file gives the frame just decoded.
    std::optional<std::int64_t> FrameLabel() const;
    // Where the frame just decoded starts, once the times of two frames in a row after a seek
    // have agreed with their lengths.
    std::optional<std::int64_t> FramePosition() const { return position; }

    // The next frames decoded start at or before `frame`, as far as the file allows.
    void SeekBefore(std::int64_t frame);
    // The next frame decoded is the stream's first, decoded as on opening.
    void Rewind();
    // Where the stream ends: the container's own figure where it is exact for a lossless
    // codec, otherwise found by reading every packet and decoding the last second. Leaves the
    // reading position at the end: seek afterwards.
    std::int64_t MeasureEnd();

private:
    [[noreturn]] void Fail(const std::string& reason) const;
    int OpenFormat(FormatContextPtr& opened) const;
    void Reopen();
    void SelectStream(int index);
    int OpenCodec();
    void NotePacket();
    void Place();
    void SeekTo(std::int64_t timestamp);
    std::int64_t ToFrames(std::int64_t timestamp) const;
    std::optional<std::int64_t> DeclaredEnd() const;
    std::optional<std::int64_t> CountEnd();
    bool Feed();

    std::string path;
    FormatContextPtr format;
    AVStream* stream = nullptr;
    const AVCodec* decoder = nullptr;
    CodecContextPtr codec;
    int rate = 0;
    std::int64_t tick = 0; // of a time base coarser than a frame, in frames; else 0
    Resampler resampler;
    FramePtr frame{Ffmpeg().av_frame_alloc()};
    PacketPtr packet{Ffmpeg().av_packet_alloc()};
    int sampleCount = 0;
    std::optional<std::int64_t> position;     // of the frame just decoded, when known
    std::optional<std::int64_t> countedStart; // of the next frame, once the position is known
    std::optional<std::int64_t> labelledEnd;  // the last frame's time plus its length
    bool inputEnded = false;
    std::optional<std::int64_t> firstTimestamp; // of the stream's first packet
    std::int64_t lastPosition = -1;             // in the file, of the last packet read
    bool sharedPositions = false;               // several packets start at one position
};
