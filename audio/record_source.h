#pragma once

#include "media_player.h"
#include "platform/wave_device.h"
#include "song_tap.h"

#include <cstdint>

// What a recording captures. Linux desktops rarely offer a "what you hear" input, so by default
// the program records what the song plays, digitally.
inline constexpr int RecordSourceSong = 0;
inline constexpr int RecordSourceInput = 1;
// The choice between them is the setting `RecordSource`.

// While it lives, recordings capture what `player` plays instead of the default input device.
// The player must outlive it, and it must outlive every recording started meanwhile (their
// devices read from its tap).
class TSongRecordSource {
public:
    explicit TSongRecordSource(TMediaPlayer& player);

    // Recordings take nothing the player plays after it has handed `heard` bytes to its output
    // device (counted as TMediaPlayer::HeardBytes counts them); -1 lifts that end.
    void EndRecordingsAt(std::int64_t heard) { tap.EndAt(heard); }

private:
    TSongTap tap;
    ScopedWaveDeviceFactory scope;
};
