#pragma once

#include "wave_processing.h"

#include <cstdint>

class TWaveFileStream;

// As StretchWave, through a phase vocoder that keeps steady tones steady and onsets sharp,
// at several times the cost. The same arguments (no block length or hop: it chooses its own
// analysis), the same result length and the same six progress stages. Samples past full scale
// are clipped rather than scaled, so the level stays the source's. Sample rates from 8000 to
// 192000 Hz.
void StretchWaveHighQuality(TWaveFileStream& source, TWaveFileStream& destination,
                            const PcmWaveFormat& format, double ratio, std::int32_t targetFrames,
                            const ProgressCallback& progress);
