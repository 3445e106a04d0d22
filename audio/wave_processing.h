#pragma once

#include "pcm_wave_format.h"
#include "platform/exception.h"
#include "platform/progress_callback.h"

#include <cstdint>
#include <string>

class TWaveFileStream;

// Speed change of a whole WAVE file without changing its pitch (StretchWave, overlap-add of
// windowed blocks) or like a tape played at another speed (StretchWaveLinear, linear
// interpolation). Both are pure functions of the source data and their arguments.

class EWaveProcessing : public Exception {
public:
    using Exception::Exception;
};

// The texts of the six progress stages; the message table replaces them at start-up.
struct TWaveProcessingStages {
    std::string Start = "Start";
    std::string Convert = "Extracting wave data from Windows Wave File...";
    std::string Expand = "Expanding wave data...";
    std::string Rectify = "Rectifying sound quality...";
    std::string Restore = "Restoring Windows Wave File...";
    std::string End = "End";
};
TWaveProcessingStages& WaveProcessingStages();

// 1 mono 8-bit, 2 mono 16-bit, 3 stereo 8-bit, 4 stereo 16-bit, 0 anything else.
int SampleKind(const PcmWaveFormat& format);
// The factor that brings the loudest of the two channel peaks to full scale when the peaks
// went past full scale (1.0), else full scale itself.
double ComputeGain(double peakA, double peakB, double fullScale);
// Multiplies byteCount / 8 doubles by a window that fades in over the first quarter and out
// over the last quarter along a squared sine, flat in between.
void TaperWindow(double* values, std::int32_t byteCount);

// The overlap-add's automatic block length in frames for an effective ratio at a sample rate:
// rnd((10 - ratio) x 1024) - 100 at 44100 Hz, scaled to other rates. Below MinimumBlockLength
// (ratios of about 9.9 and above) the automatic choice is refused.
std::int64_t AutomaticBlockLength(double ratio, std::uint32_t rate);
inline constexpr std::int32_t MinimumBlockLength = 10;

// The main window's speed value (10 to 500) for the linear engine: semitones and ratio.
int SpeedToSemitones(int value);
double SpeedToRatio(int value);
// "+12", "-12", "0".
std::string SemitoneText(int value);

// source: opened; destination: started with CreateNew in the source's format; format: the
// source's. ratio: result length / source length, ignored when targetFrames is not 0.
// blockLength in frames and hopFactor (hop / block length) are automatic when 0. Nothing
// happens when source or destination is missing.
void StretchWave(TWaveFileStream* source, TWaveFileStream* destination, const PcmWaveFormat& format,
                 double ratio, std::int32_t targetFrames, std::int32_t blockLength,
                 double hopFactor, const ProgressCallback& progress);

// As StretchWave, resampling instead; ratio comes back as the ratio used, frames out / in.
void StretchWaveLinear(TWaveFileStream* source, TWaveFileStream* destination,
                       const PcmWaveFormat& format, double& ratio, std::int32_t targetFrames,
                       const ProgressCallback& progress);
