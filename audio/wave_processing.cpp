#include "wave_processing.h"

#include "restore_channels.h"
#include "stretch_job.h"
#include "stretch_passes.h"
#include "stretch_source.h"
#include "wave_file_stream.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double Pi = std::numbers::pi;

struct OverlapShape {
    std::int64_t BlockLength;
    std::int64_t Hop;
};

OverlapShape ShapeBlocks(double r, std::int32_t blockLength, double hopFactor, std::uint32_t rate) {
    if (hopFactor == 0.0) {
        hopFactor = 0.6 - r / 20.0;
    }
    std::int64_t length = blockLength;
    if (blockLength == 0) {
        length = AutomaticBlockLength(r, rate);
        if (length < MinimumBlockLength) {
            throw EWaveProcessing("The speed change is too large for the automatic block "
                                  "length; choose a block length or a smaller change.");
        }
    } else if (blockLength < 1) {
        throw EWaveProcessing("The block length must be at least one frame.");
    }
    const std::int64_t hop = Rnd(static_cast<double>(length) * hopFactor);
    if (hop < 1) {
        throw EWaveProcessing("The blocks would not advance: the hop is below one frame. "
                              "Choose a longer block or a larger hop factor.");
    }
    return {length, hop};
}

} // namespace

std::int64_t AutomaticBlockLength(double ratio, std::uint32_t rate) {
    std::int64_t length = Rnd((10.0 - ratio) * 1024.0) - 100;
    if (rate != 44100) {
        length = Rnd(static_cast<double>(length * rate) / 44100.0);
    }
    return length;
}

TWaveProcessingStages& WaveProcessingStages() {
    static TWaveProcessingStages stages;
    return stages;
}

int SampleKind(const PcmWaveFormat& format) {
    if (format.channels == 1 && format.bitsPerSample == 8) {
        return 1;
    }
    if (format.channels == 1 && format.bitsPerSample == 16) {
        return 2;
    }
    if (format.channels == 2 && format.bitsPerSample == 8) {
        return 3;
    }
    if (format.channels == 2 && format.bitsPerSample == 16) {
        return 4;
    }
    return 0;
}

double ComputeGain(double peakA, double peakB, double fullScale) {
    const double peak = peakA > peakB ? peakA : peakB;
    return peak > 1.0 ? fullScale / peak : fullScale;
}

void TaperWindow(double* values, std::int32_t byteCount) {
    const std::int32_t n = byteCount / 8;
    for (std::int32_t k = 0; k < n; ++k) {
        const double x = 2.0 * Pi * static_cast<double>(k) / static_cast<double>(n);
        const double factor =
            x < Pi / 2.0 || x > 3.0 * Pi / 2.0 ? (1.0 - std::cos(2.0 * x)) / 2.0 : 1.0;
        values[k] = values[k] * factor;
    }
}

int SpeedToSemitones(int value) {
    const auto semitones = static_cast<int>(Rnd((value - 250) / 10.0));
    return semitones > 24 ? 24 : semitones;
}

double SpeedToRatio(int value) {
    return std::pow(2.0, SpeedToSemitones(value) / 12.0);
}

std::string SemitoneText(int value) {
    const int semitones = SpeedToSemitones(value);
    return (semitones > 0 ? "+" : "") + std::to_string(semitones);
}

void StretchWave(TWaveFileStream* source, TWaveFileStream* destination, const PcmWaveFormat& format,
                 double ratio, std::int32_t targetFrames, std::int32_t blockLength,
                 double hopFactor, const ProgressCallback& progress) {
    if (source == nullptr || destination == nullptr) {
        return;
    }
    const TWaveProcessingStages stages = WaveProcessingStages();
    Report(progress, stages.Start, 0.0);
    const StretchJob job = PlanStretch(*source, format, ratio, targetFrames);
    if (job.Size.FramesIn == 0) {
        SizeDestination(*destination, job);
        Report(progress, stages.End, 1.0);
        return;
    }
    const OverlapShape shape =
        ShapeBlocks(job.Ratio(), blockLength, hopFactor, format.samplesPerSec);
    SizeDestination(*destination, job);
    Report(progress, stages.Convert, 1.0);

    // The gain depends on the peaks of the whole result, so a first pass finds them and a
    // second pass does the same sums again, writing them out: cheaper than keeping 8 bytes
    // per frame and channel anywhere.
    SourceChannels analysed(*source, job.Kind, job.Size.FramesIn);
    const ChannelPeaks peaks = OverlapAdd(analysed, job.Size, shape.BlockLength, shape.Hop,
                                          StageReporter(progress, stages.Expand), nullptr);
    Report(progress, stages.Expand, 1.0);
    Report(progress, stages.Rectify, 1.0);

    RestoreChannels output(*destination, job.Kind,
                           ComputeGain(peaks.A, peaks.B, FullScale(job.Kind)), job.Size.FramesOut,
                           StageReporter(progress, stages.Restore));
    SourceChannels restored(*source, job.Kind, job.Size.FramesIn);
    OverlapAdd(restored, job.Size, shape.BlockLength, shape.Hop, nullptr, &output);
    output.Finish();
    Report(progress, stages.End, 1.0);
}

void StretchWaveLinear(TWaveFileStream* source, TWaveFileStream* destination,
                       const PcmWaveFormat& format, double& ratio, std::int32_t targetFrames,
                       const ProgressCallback& progress) {
    if (source == nullptr || destination == nullptr) {
        return;
    }
    const TWaveProcessingStages stages = WaveProcessingStages();
    Report(progress, stages.Start, 0.0);
    const StretchJob job = PlanStretch(*source, format, ratio, targetFrames);
    SizeDestination(*destination, job);
    if (job.Size.FramesIn == 0) {
        return;
    }
    ratio = job.Ratio();
    if (job.Size.FramesOut == 0) {
        return;
    }
    Report(progress, stages.Convert, 1.0);

    SourceChannels analysed(*source, job.Kind, job.Size.FramesIn);
    const ChannelPeaks peaks =
        InterpolateLinear(analysed, job.Size, StageReporter(progress, stages.Expand), nullptr);

    RestoreChannels output(*destination, job.Kind,
                           ComputeGain(peaks.A, peaks.B, FullScale(job.Kind)), job.Size.FramesOut,
                           StageReporter(progress, stages.Restore));
    SourceChannels restored(*source, job.Kind, job.Size.FramesIn);
    InterpolateLinear(restored, job.Size, nullptr, &output);
    output.Finish();
}
