#pragma once

#include <cstdint>
#include <vector>

// Test tones and what is measured on them, on the first channel of interleaved 16-bit frames.

// A stereo sine of `frequency` Hz at `amplitude` of full scale, both channels alike, at 44100 Hz.
std::vector<std::int16_t> StereoSine(std::int64_t frames, double frequency, double amplitude);

// The frames [from, from + count) of the first channel, normalised to full scale.
std::vector<double> FirstChannel(const std::vector<std::int16_t>& stereo, std::int64_t from,
                                 std::int64_t count);

// The frequency from the rising zero crossings (linearly interpolated) of a clean tone.
double ToneFrequency(const std::vector<double>& values, double rate);
// The RMS in dB of full scale.
double LevelDb(const std::vector<double>& values);
// The energy farther than 20 Hz from `frequency` against all of it, in dB (Hann window).
double PurityDb(const std::vector<double>& values, double frequency, double rate);
// The largest step from one sample to the next.
double LargestStep(const std::vector<double>& values);
