#include "high_quality_stretch.h"

#include "restore_channels.h"
#include "stretch_job.h"
#include "stretch_source.h"
#include "wave_file_stream.h"

#include <algorithm>
#include <rubberband/RubberBandStretcher.h>
#include <string>
#include <vector>

namespace {

using RubberBand::RubberBandStretcher;

// Source frames handed to the study pass at a time.
constexpr std::int64_t StudyFrames = 16384;
// The most source frames one process call takes. The stretcher's output buffer is sized for
// what it asks for; larger calls at large ratios overflow it and lose output, so the process
// pass hands over no more than it asks.
constexpr std::int64_t ProcessFrames = 4096;
// Result frames taken from the stretcher at a time.
constexpr std::int64_t RetrieveFrames = 4096;
// A pass reports its progress once per this many source frames: often enough for a smooth
// bar, rarely enough that repainting it costs nothing next to the stretch.
constexpr std::int64_t ReportFrames = 16384;

constexpr std::uint32_t LowestRate = 8000;
constexpr std::uint32_t HighestRate = 192000;

// Offline: the whole source is studied first, so that the result has the exact length and no
// start delay. The finer engine (R3) gives the cleaner result the option promises; one thread
// because the program runs the stretch on its own thread already and the machine may be busy.
constexpr RubberBandStretcher::Options StretcherOptions =
    RubberBandStretcher::OptionProcessOffline | RubberBandStretcher::OptionEngineFiner |
    RubberBandStretcher::OptionThreadingNever;

// One pass over the source as float channels, a piece at a time.
class FloatSource {
public:
    FloatSource(TWaveFileStream& source, const StretchJob& job)
        : channels(source, job.Kind, job.Size.FramesIn), frames(job.Size.FramesIn),
          stereo(job.Size.Stereo) {}

    std::int64_t Position() const { return position; }
    bool AtEnd() const { return position >= frames; }

    // The next `count` frames at most; returns how many, with Pointers() pointing at them.
    std::int64_t Next(std::int64_t count) {
        count = std::min(count, frames - position);
        channels.Fetch(position, count);
        a.resize(static_cast<std::size_t>(count));
        std::copy_n(channels.A(position), count, a.begin());
        if (stereo) {
            b.resize(static_cast<std::size_t>(count));
            std::copy_n(channels.B(position), count, b.begin());
        }
        position += count;
        return count;
    }

    const float* const* Pointers() {
        pointers[0] = a.data();
        pointers[1] = b.data();
        return pointers;
    }

private:
    SourceChannels channels;
    std::int64_t frames;
    bool stereo;
    std::int64_t position = 0;
    std::vector<float> a, b;
    const float* pointers[2] = {nullptr, nullptr};
};

// Hands everything the stretcher has ready to the output, as doubles at full scale 1.0.
class ResultDrain {
public:
    ResultDrain(RubberBandStretcher& stretcher, RestoreChannels& output, bool stereo)
        : stretcher(stretcher), output(output), stereo(stereo),
          a(static_cast<std::size_t>(RetrieveFrames)),
          b(static_cast<std::size_t>(stereo ? RetrieveFrames : 0)) {}

    void Run() {
        float* const pointers[2] = {a.data(), b.data()};
        for (int ready = stretcher.available(); ready > 0; ready = stretcher.available()) {
            const std::size_t count = stretcher.retrieve(
                pointers, static_cast<std::size_t>(std::min<std::int64_t>(ready, RetrieveFrames)));
            if (count == 0) {
                return;
            }
            wideA.assign(a.begin(), a.begin() + static_cast<std::ptrdiff_t>(count));
            if (stereo) {
                wideB.assign(b.begin(), b.begin() + static_cast<std::ptrdiff_t>(count));
            }
            output.Append(wideA.data(), (stereo ? wideB : wideA).data(),
                          static_cast<std::int64_t>(count));
        }
    }

private:
    RubberBandStretcher& stretcher;
    RestoreChannels& output;
    bool stereo;
    std::vector<float> a, b;
    std::vector<double> wideA, wideB;
};

// The fraction of the source one pass has worked through, as one stage.
class PassProgress {
public:
    PassProgress(const ProgressCallback& progress, const std::string& stage, std::int64_t frames)
        : progress(progress), stage(stage), frames(frames) {}

    void At(std::int64_t done) {
        if (done >= next) {
            Report(progress, stage, static_cast<double>(done) / static_cast<double>(frames));
            next = done + ReportFrames;
        }
    }

    void Done() { Report(progress, stage, 1.0); }

private:
    const ProgressCallback& progress;
    const std::string& stage;
    std::int64_t frames;
    std::int64_t next = 0;
};

} // namespace

void StretchWaveHighQuality(TWaveFileStream& source, TWaveFileStream& destination,
                            const PcmWaveFormat& format, double ratio, std::int32_t targetFrames,
                            const ProgressCallback& progress) {
    const TWaveProcessingStages stages = WaveProcessingStages();
    Report(progress, stages.Start, 0.0);
    const StretchJob job = PlanStretch(source, format, ratio, targetFrames);
    if (format.samplesPerSec < LowestRate || format.samplesPerSec > HighestRate) {
        throw EWaveProcessing("The high-quality speed change takes sample rates from 8000 to "
                              "192000 Hz, not " +
                              std::to_string(format.samplesPerSec) + " Hz.");
    }
    SizeDestination(destination, job);
    if (job.Size.FramesIn == 0) {
        Report(progress, stages.End, 1.0);
        return;
    }
    // Clipped at full scale: the stretcher keeps the level, so only rare peaks go past it.
    RestoreChannels output(destination, job.Kind, FullScale(job.Kind), job.Size.FramesOut, nullptr);
    if (job.Size.FramesOut > 0) {
        RubberBandStretcher stretcher(format.samplesPerSec, job.Size.Stereo ? 2 : 1,
                                      StretcherOptions, job.Ratio());
        stretcher.setExpectedInputDuration(static_cast<std::size_t>(job.Size.FramesIn));
        stretcher.setMaxProcessSize(static_cast<std::size_t>(ProcessFrames));

        FloatSource studied(source, job);
        PassProgress studying(progress, stages.Convert, job.Size.FramesIn);
        while (!studied.AtEnd()) {
            studying.At(studied.Position());
            const std::int64_t count = studied.Next(StudyFrames);
            stretcher.study(studied.Pointers(), static_cast<std::size_t>(count), studied.AtEnd());
        }
        studying.Done();

        FloatSource processed(source, job);
        ResultDrain drain(stretcher, output, job.Size.Stereo);
        PassProgress processing(progress, stages.Expand, job.Size.FramesIn);
        while (!processed.AtEnd()) {
            processing.At(processed.Position());
            const auto wanted = static_cast<std::int64_t>(stretcher.getSamplesRequired());
            const std::int64_t count =
                processed.Next(std::clamp<std::int64_t>(wanted, 1, ProcessFrames));
            stretcher.process(processed.Pointers(), static_cast<std::size_t>(count),
                              processed.AtEnd());
            drain.Run();
        }
        drain.Run();
    }
    Report(progress, stages.Expand, 1.0);
    Report(progress, stages.Rectify, 1.0);
    // The stretcher's result may end a few frames short of the exact length: silence fills it.
    Report(progress, stages.Restore, 0.0);
    output.Finish();
    Report(progress, stages.Restore, 1.0);
    Report(progress, stages.End, 1.0);
}
