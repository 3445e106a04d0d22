#pragma once

#include "stretch_passes.h"
#include "wave_processing.h"

#include <cstdint>
#include <functional>
#include <string>

class TWaveFileStream;
struct PcmWaveFormat;

// What every stretch engine settles before it touches the data, so that all of them refuse the
// same sources and give a result of the same length for the same request.
struct StretchJob {
    int Kind = 0;
    std::int32_t BlockAlign = 0;
    StretchSize Size{0, 0, false};

    double Ratio() const {
        return static_cast<double>(Size.FramesOut) / static_cast<double>(Size.FramesIn);
    }
};

// Refuses a format no engine takes; the result has truncate(frames in x ratio) frames, or
// targetFrames when that is not 0 (never fewer than none).
StretchJob PlanStretch(TWaveFileStream& source, const PcmWaveFormat& format, double ratio,
                       std::int32_t targetFrames);

// The destination's data, sized to the result; an empty source gives an empty result.
void SizeDestination(TWaveFileStream& destination, const StretchJob& job);

// 127 for the 8-bit kinds, 32767 for the 16-bit ones.
double FullScale(int kind);

void Report(const ProgressCallback& progress, const std::string& stage, double fraction);
// The fractions of one stage, for a pass that knows nothing of stages; none without progress.
std::function<void(double)> StageReporter(const ProgressCallback& progress,
                                          const std::string& stage);
