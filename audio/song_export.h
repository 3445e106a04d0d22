#pragma once

#include "media_player.h"
#include "platform/progress_callback.h"
#include "playback_tempo.h"

#include <cstdint>
#include <memory>
#include <string>

// Writes the song's sound from `fromMs` to `toMs` (positions as the player counts them) to a new
// 44100 Hz 16-bit stereo WAVE file as it is heard at `tempo`: sample for sample at the neutral
// one, a memory card's section as a file; else through the player's real-time stretcher,
// (to - from) / speed frames long.
void ExportSongSection(const TMediaPlayer& player, std::int32_t fromMs, std::int32_t toMs,
                       const std::string& path, const TPlaybackTempo& tempo = {});

// The sound of any song the player reads, as the player decodes it: a media file, or a disc
// (a drive or a .cue image) from its first track's start to its lead-out. EMediaError when it
// cannot be read.
std::unique_ptr<PcmSource> OpenSongSound(const std::string& path);

// The stage text DecodeSongToWave reports; the program puts its message in.
std::string& DecodeStageText();

// Writes the whole song at path to wavePath as a 16-bit stereo WAVE file at the song's own
// rate (replacing the file there), reporting the fraction done; the stretch engines then take
// it like any recording. A failure, or an exception raised by progress, removes wavePath.
void DecodeSongToWave(const std::string& path, const std::string& wavePath,
                      const ProgressCallback& progress);
