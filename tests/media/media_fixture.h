#pragma once

#include "platform/pcm_source.h"
#include "tests/support/temp_dir.h"

#include <cstdint>
#include <string>
#include <vector>

// A test signal: quiet noise with one loud single-sample click, interleaved 16-bit.
struct ClickSignal {
    int rate = 44100;
    int channels = 2;
    std::int64_t frames = 132300;
    std::int64_t click = 55555;
    std::vector<std::int16_t> samples;
};

ClickSignal MakeClickSignal(int rate, int channels, std::int64_t frames, std::int64_t click);

// Writes `signal` as a WAVE file in `dir` and encodes it with the system's tools into a file
// named `name` whose extension picks the format: wav, flac, ogg (Vorbis), opus, mp3 (with a
// LAME tag), m4a (AAC) and aac (raw ADTS). "bare.mp3" gets no Xing/LAME tag. Skips the
// calling test (GTEST_SKIP) when the tool is missing, so call it through ASSERT_NO_FATAL_FAILURE.
void EncodeMedia(const TempDir& dir, const ClickSignal& signal, const std::string& name);

// A short video file without sound, made with ffmpeg; skips the calling test without it.
void MakeVideoWithoutSound(const TempDir& dir, const std::string& name);

// Runs a program with its output discarded; true when it exits with 0.
bool RunTool(const std::vector<std::string>& arguments);

// Reads stereo 16-bit frames in 32 KB pieces, as the player does: all that is left, or at most
// `frames`.
std::vector<std::int16_t> ReadToEnd(PcmSource& source);
std::vector<std::int16_t> ReadFrames(PcmSource& source, std::int64_t frames);
// The frame of the loudest sample of the left channel.
std::int64_t PeakFrame(const std::vector<std::int16_t>& stereo);
// Seeks to `target` and tells whether the next `frames` frames equal those of `fromStart`,
// the whole sound read from the start.
bool SeekReadsAsFromStart(PcmSource& source, const std::vector<std::int16_t>& fromStart,
                          std::int64_t target, std::int64_t frames);
