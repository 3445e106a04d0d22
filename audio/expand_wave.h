#pragma once

#include "pcm_wave_format.h"
#include "platform/exception.h"
#include "platform/progress_callback.h"
#include "stretch_engine.h"

#include <cstdint>
#include <string>

// The source of a wave file expansion: a PCM WAVE file that the stream takes and the engines
// stretch as it is, or any song the player reads (an mp3, a WAVE file laid out as the stream
// does not take it, a disc image), decoded into a temporary 16-bit stereo WAVE file first.

// Nothing reads the file: neither as a PCM WAVE file nor as a song.
class EExpandSourceError : public Exception {
public:
    using Exception::Exception;
};

struct ExpandSource {
    // Of the WAVE file the engine reads: the file's own, or the decoded one's.
    PcmWaveFormat Format;
    std::int64_t Frames = 0;
    bool Decoded = false;
};

// Looks at the file without decoding it. EExpandSourceError with the reason when nothing reads
// it.
ExpandSource InspectExpandSource(const std::string& path);

// The block length a stretch of framesIn into framesOut frames runs with: blockLength, or
// when that is 0 (the default resolution) the automatic one, unless the ratio is too large
// for it (about 9.9 and above), when it is MinimumBlockLength.
std::int32_t ExpandBlockLength(std::int32_t blockLength, std::int64_t framesIn,
                               std::int64_t framesOut, std::uint32_t rate);

// Stretches the WAVE file wave (a source taken as it is, or a song's decoded copy) into target
// (replacing the file there), a block length of 0 chosen by ExpandBlockLength. A failure, or an
// exception raised by progress, removes target.
void StretchExpandWave(StretchEngine& engine, const std::string& wave, const std::string& target,
                       StretchRequest request, const ProgressCallback& progress);

// Writes the stretched copy of source to target (replacing the file there) as the expand tool
// makes it: a song is first decoded into decodedPath (a file the caller reserved; it is
// removed at the end in every case), and a block length of 0 is chosen by ExpandBlockLength.
// A failure, or an exception raised by progress (a cancel), leaves no part of a result at
// target; a source that cannot be stretched is refused before target is touched.
void ExpandWaveFile(StretchEngine& engine, const std::string& source, const std::string& target,
                    StretchRequest request, const std::string& decodedPath,
                    const ProgressCallback& progress);
