#include "expand_wave.h"

#include "platform/file_stream.h"
#include "riff_stream_error.h"
#include "song_export.h"
#include "stretch_job.h"
#include "wave_file_stream.h"
#include "wave_processing.h"

#include <limits>
#include <optional>

namespace {

// The format and frames of a WAVE file that the engines take as it is; none for any other
// file, and for a WAVE file whose layout or format they refuse.
std::optional<ExpandSource> TakenAsItIs(const std::string& path) {
    try {
        TWaveFileStream stream;
        stream.SetFileName(path);
        stream.Open();
        const PcmWaveFormat& format = stream.Format;
        if (format.formatTag != PcmWaveFormat::PcmTag || SampleKind(format) == 0 ||
            format.blockAlign != format.channels * format.bitsPerSample / 8 ||
            format.samplesPerSec == 0) {
            return std::nullopt;
        }
        return ExpandSource{format, stream.GetSize() / format.blockAlign, false};
    } catch (const ERiffStreamError&) {
        return std::nullopt;
    }
}

} // namespace

ExpandSource InspectExpandSource(const std::string& path) {
    if (std::optional<ExpandSource> wave = TakenAsItIs(path)) {
        return *wave;
    }
    try {
        const std::unique_ptr<PcmSource> song = OpenSongSound(path);
        const WaveDeviceFormat format = song->Format();
        if (song->Frames() * format.BlockAlign() >
            std::numeric_limits<std::int32_t>::max() - TRiffStream::NewHeaderSize) {
            throw EExpandSourceError("The song is too long for a WAVE file of 2 GiB.");
        }
        return {MakePcmWaveFormat(format.channels, format.samplesPerSec, format.bitsPerSample),
                song->Frames(), true};
    } catch (const EMediaError& error) {
        throw EExpandSourceError(error.Message());
    }
}

std::int32_t ExpandBlockLength(std::int32_t blockLength, std::int64_t framesIn,
                               std::int64_t framesOut, std::uint32_t rate) {
    if (blockLength != 0 || framesIn == 0) {
        return blockLength;
    }
    const double ratio = static_cast<double>(framesOut) / static_cast<double>(framesIn);
    return AutomaticBlockLength(ratio, rate) < MinimumBlockLength ? MinimumBlockLength : 0;
}

void StretchExpandWave(StretchEngine& engine, const std::string& wave, const std::string& target,
                       StretchRequest request, const ProgressCallback& progress) {
    TWaveFileStream source;
    source.SetFileName(wave);
    source.Open();
    const StretchJob job = PlanStretch(source, source.Format, request.Ratio, request.TargetFrames);
    source.Close();
    request.BlockLength = ExpandBlockLength(request.BlockLength, job.Size.FramesIn,
                                            job.Size.FramesOut, source.Format.samplesPerSec);
    StretchWaveFile(engine, wave, target, request, progress);
}

void ExpandWaveFile(StretchEngine& engine, const std::string& source, const std::string& target,
                    StretchRequest request, const std::string& decodedPath,
                    const ProgressCallback& progress) {
    try {
        const ExpandSource inspected = InspectExpandSource(source);
        std::string wave = source;
        if (inspected.Decoded) {
            DecodeSongToWave(source, decodedPath, progress);
            wave = decodedPath;
        }
        StretchExpandWave(engine, wave, target, request, progress);
    } catch (...) {
        FileStream::DeleteQuietly(decodedPath);
        throw;
    }
    FileStream::DeleteQuietly(decodedPath);
}
