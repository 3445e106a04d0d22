#include "stretch_job.h"

#include "pcm_wave_format.h"
#include "wave_file_stream.h"

#include <algorithm>
#include <limits>

StretchJob PlanStretch(TWaveFileStream& source, const PcmWaveFormat& format, double ratio,
                       std::int32_t targetFrames) {
    StretchJob job;
    job.Kind = format.formatTag == PcmWaveFormat::PcmTag ? SampleKind(format) : 0;
    if (job.Kind == 0) {
        throw EWaveProcessing("not supported file type");
    }
    job.BlockAlign = format.blockAlign;
    if (job.BlockAlign != format.channels * format.bitsPerSample / 8) {
        throw EWaveProcessing("");
    }
    job.Size.Stereo = format.channels == 2;
    job.Size.FramesIn = source.GetSize() / job.BlockAlign;
    if (targetFrames != 0) {
        job.Size.FramesOut = std::max<std::int64_t>(targetFrames, 0);
    } else {
        const double frames = static_cast<double>(job.Size.FramesIn) * ratio;
        if (!(frames < static_cast<double>(std::numeric_limits<std::int32_t>::max()))) {
            throw EWaveProcessing("The speed ratio is not usable: " + std::to_string(ratio));
        }
        job.Size.FramesOut = std::max<std::int64_t>(static_cast<std::int64_t>(frames), 0);
    }
    if (job.Size.FramesOut * job.BlockAlign > std::numeric_limits<std::int32_t>::max() - 64) {
        throw EWaveProcessing("The result would reach 2 GiB, more than a WAVE file can hold.");
    }
    return job;
}

void SizeDestination(TWaveFileStream& destination, const StretchJob& job) {
    const std::int64_t frames = job.Size.FramesIn == 0 ? 0 : job.Size.FramesOut;
    destination.SetSize(static_cast<std::int32_t>(frames * job.BlockAlign));
}

double FullScale(int kind) {
    return kind == 1 || kind == 3 ? 127.0 : 32767.0;
}

void Report(const ProgressCallback& progress, const std::string& stage, double fraction) {
    if (progress) {
        progress(stage, fraction);
    }
}

std::function<void(double)> StageReporter(const ProgressCallback& progress,
                                          const std::string& stage) {
    if (!progress) {
        return nullptr;
    }
    return [&progress, &stage](double fraction) { progress(stage, fraction); };
}
