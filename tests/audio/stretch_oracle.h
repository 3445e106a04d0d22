#pragma once

#include "audio/pcm_wave_format.h"
#include "tests/support/wave_fixture.h"

#include <cstdint>

// A plain, slow restatement of the two stretch engines that keeps every channel in memory and
// follows the arithmetic step by step, so the real engines can be compared with it byte for
// byte. Both take the source's data chunk and return the destination's; their refusals are
// raised as EWaveProcessing like the engines'.

Bytes OracleStretch(const PcmWaveFormat& format, const Bytes& data, double ratio,
                    std::int32_t targetFrames, std::int32_t blockLength, double hopFactor);

// ratio comes back as frames out / frames in, except for a source without frames.
Bytes OracleStretchLinear(const PcmWaveFormat& format, const Bytes& data, double& ratio,
                          std::int32_t targetFrames);

// The overlap-add block length and hop factor chosen when the caller passes 0 for them.
std::int64_t OracleAutomaticBlockLength(double effectiveRatio, std::uint32_t samplesPerSec);
double OracleAutomaticHopFactor(double effectiveRatio);
