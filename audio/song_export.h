#pragma once

#include "media_player.h"

#include <cstdint>
#include <string>

// Writes the song's sound from `fromMs` to `toMs` (positions as the player counts them) to a new
// 44100 Hz 16-bit stereo WAVE file, sample for sample: a memory card's section as a file.
void ExportSongSection(const TMediaPlayer& player, std::int32_t fromMs, std::int32_t toMs,
                       const std::string& path);
