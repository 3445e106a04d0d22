#pragma once

#include "platform/pcm_source.h"

#include <memory>
#include <string>

// The sound of any file FFmpeg reads (wav, flac, ogg, opus, mp3, m4a, the audio of a video) as
// 16-bit stereo at the file's own rate. Frame 0 is the first real sample: encoder delay and
// padding are left out. Throws EMediaError naming the file when it cannot be played. A plain
// 16-bit stereo PCM WAVE file is read as it lies, without FFmpeg (plain_wave_source.h).
std::unique_ptr<PcmSource> OpenMediaFile(const std::string& path);

// Whether OpenMediaFile needs FFmpeg for the file: for all but plain 16-bit stereo WAVE files.
bool OpensThroughFfmpeg(const std::string& path);
