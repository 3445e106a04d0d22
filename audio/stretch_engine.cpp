#include "stretch_engine.h"

#include "high_quality_stretch.h"
#include "platform/file_stream.h"
#include "wave_file_stream.h"

namespace {

class OverlapAddEngine : public StretchEngine {
public:
    double Stretch(TWaveFileStream& source, TWaveFileStream& destination,
                   const StretchRequest& request, const ProgressCallback& progress) override {
        StretchWave(&source, &destination, source.Format, request.Ratio, request.TargetFrames,
                    request.BlockLength, request.HopFactor, progress);
        return request.Ratio;
    }
};

class LinearEngine : public StretchEngine {
public:
    double Stretch(TWaveFileStream& source, TWaveFileStream& destination,
                   const StretchRequest& request, const ProgressCallback& progress) override {
        double ratio = request.Ratio;
        StretchWaveLinear(&source, &destination, source.Format, ratio, request.TargetFrames,
                          progress);
        return ratio;
    }
};

class HighQualityEngine : public StretchEngine {
public:
    double Stretch(TWaveFileStream& source, TWaveFileStream& destination,
                   const StretchRequest& request, const ProgressCallback& progress) override {
        StretchWaveHighQuality(source, destination, source.Format, request.Ratio,
                               request.TargetFrames, progress);
        return request.Ratio;
    }
};

} // namespace

StretchEngineKind ChooseStretchEngine(bool linearStretch, int stretchEngine) {
    if (linearStretch) {
        return StretchEngineKind::Linear;
    }
    return stretchEngine == StretchEngineHighQuality ? StretchEngineKind::HighQuality
                                                     : StretchEngineKind::Described;
}

std::unique_ptr<StretchEngine> MakeStretchEngine(StretchEngineKind kind) {
    switch (kind) {
    case StretchEngineKind::Linear:
        return std::make_unique<LinearEngine>();
    case StretchEngineKind::HighQuality:
        return std::make_unique<HighQualityEngine>();
    case StretchEngineKind::Described:
        break;
    }
    return std::make_unique<OverlapAddEngine>();
}

double StretchWaveFile(StretchEngine& engine, const std::string& sourcePath,
                       const std::string& targetPath, const StretchRequest& request,
                       const ProgressCallback& progress) {
    TWaveFileStream source;
    source.SetFileName(sourcePath);
    source.Open();
    if (source.Format.formatTag != PcmWaveFormat::PcmTag || SampleKind(source.Format) == 0) {
        throw EWaveProcessing("not supported file type");
    }
    TWaveFileStream destination;
    destination.SetFileName(targetPath);
    destination.Format = source.Format;
    destination.CreateNew();
    try {
        const double ratio = engine.Stretch(source, destination, request, progress);
        destination.Close();
        return ratio;
    } catch (...) {
        try {
            destination.Close();
        } catch (const std::exception&) {
        }
        FileStream::Delete(targetPath);
        throw;
    }
}
