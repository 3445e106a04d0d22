#pragma once

#include "wave_processing.h"

#include <cstdint>
#include <memory>
#include <string>

class TWaveFileStream;

// Every way of making a speed-changed copy of a WAVE stream, behind one interface, so that
// cassettes, the expand tool and quavrel-stretch choose an engine without knowing what does
// the work.
enum class StretchEngineKind {
    // Overlap-add of windowed blocks, pitch kept (StretchWave).
    Described,
    // Resampled like a tape at another speed (StretchWaveLinear).
    Linear,
    // Phase-vocoder time stretch, pitch kept: smoother, several times slower.
    HighQuality,
};

// The option "High Quality Speed Change (slower)": stored as "StretchEngine" in section
// "Application", 0 for the overlap-add engine (the default), 1 for the high-quality one.
inline constexpr const char* StretchEngineSection = "Application";
inline constexpr const char* StretchEngineKey = "StretchEngine";
inline constexpr int StretchEngineDescribed = 0;
inline constexpr int StretchEngineHighQuality = 1;

// The engine a cassette uses: the semitone ("LinearStretch") mode resamples whatever the
// quality option says; an unknown stored value counts as the default.
StretchEngineKind ChooseStretchEngine(bool linearStretch, int stretchEngine);

struct StretchRequest {
    // Result length / source length; ignored when TargetFrames is not 0. Every engine gives
    // truncate(source frames x Ratio) frames, or exactly TargetFrames.
    double Ratio = 1.0;
    std::int32_t TargetFrames = 0;
    // The overlap-add engine's block length in frames and hop factor, automatic when 0; the
    // other engines choose their own analysis.
    std::int32_t BlockLength = 0;
    double HopFactor = 0.0;
};

class StretchEngine {
public:
    virtual ~StretchEngine() = default;

    // source: opened; destination: started with CreateNew in the source's format. Reports the
    // stages of WaveProcessingStages() with fractions. Returns the ratio by which positions in
    // the source map into the result: the linear engine's frames out / frames in, the
    // request's Ratio for the others. Raises EWaveProcessing for sources it cannot take.
    virtual double Stretch(TWaveFileStream& source, TWaveFileStream& destination,
                           const StretchRequest& request, const ProgressCallback& progress) = 0;
};

std::unique_ptr<StretchEngine> MakeStretchEngine(StretchEngineKind kind);

// Writes the stretched copy of the WAVE file at sourcePath to targetPath (replacing it) and
// returns Stretch's ratio. A source no engine takes is refused before the target is created,
// and any failure removes the target, so an error never leaves a file behind.
double StretchWaveFile(StretchEngine& engine, const std::string& sourcePath,
                       const std::string& targetPath, const StretchRequest& request,
                       const ProgressCallback& progress);
