#pragma once

#include "pcm_source.h"

#include <memory>
#include <string>

// A media file decoded by FFmpeg: 16-bit stereo at the file's own rate. Throws EMediaError.
std::unique_ptr<PcmSource> OpenMediaFile(const std::string& path);
// The same sound at another rate.
std::unique_ptr<PcmSource> ConvertRate(std::unique_ptr<PcmSource> source, int samplesPerSec);
