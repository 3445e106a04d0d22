#pragma once

#include "platform/pcm_source.h"

#include <memory>
#include <string>

// A plain PCM WAVE file of 16-bit stereo, the program's own recordings' kind, read as it lies
// on the disk: the sound FFmpeg decodes from it, without loading FFmpeg. Null for anything
// else (another encoding or layout, chunks that do not fit the file, no file): FFmpeg opens
// those.
std::unique_ptr<PcmSource> OpenPlainWave(const std::string& path);
