#pragma once

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
