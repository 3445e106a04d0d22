#pragma once

#include <cstdint>

// The stretcher's window: the finer one by default, the short one for less CPU.
enum class TStretchEngine { Finer, Short };

// How the song is heard: its speed without a change of pitch, and a transpose.
struct TPlaybackTempo {
    static constexpr double MinSpeed = 0.25;
    static constexpr double MaxSpeed = 2.0;
    static constexpr std::int32_t MaxCents = 1250;

    double Speed = 1.0;     // 0.25 .. 2.0, 1.0 = normal
    std::int32_t Cents = 0; // transpose in cents, -1250 .. +1250 (semitones * 100 + cents)
    TStretchEngine Engine = TStretchEngine::Finer;

    // Normal speed and no transpose, whatever the engine: nothing needs to change the sound.
    bool IsNeutral() const { return Speed == 1.0 && Cents == 0; }
    bool operator==(const TPlaybackTempo&) const = default;
};
