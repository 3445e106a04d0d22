#pragma once

#include <QString>
#include <optional>

class ProfileFile;

// How the user practises a song: the speed it plays at, how far it is transposed and the speed
// trainer's choices. Each song keeps its own in the song data; the settings keep the ones a
// song starts with.
struct TPracticeSettings {
    // Per cent of the song's own speed.
    int Speed = 100;
    // Semitones times 100 plus cents.
    int TransposeCents = 0;
    // The speed trainer: the speed of the first pass of a loop, what each pass adds (towards
    // the target, whichever way it lies) and where it stops, in per cent.
    int TrainerStart = 60;
    int TrainerStep = 5;
    int TrainerTarget = 100;
    bool TrainerOn = false;

    bool operator==(const TPracticeSettings&) const = default;
};

inline constexpr int LowestPracticeSpeed = 25;
inline constexpr int HighestPracticeSpeed = 200;
inline constexpr int LargestTransposeSemitones = 12;
inline constexpr int LargestTransposeCents = 50;
inline constexpr int LargestTrainerStep = 50;

// The settings with every value brought within its range (speeds 25..200, transpose within
// an octave and 50 cents either way, steps 1..50).
TPracticeSettings Bounded(const TPracticeSettings& practice);

// The keys prefix + "Speed", "TransposeCents", "TrainerStart", "TrainerStep", "TrainerTarget"
// and "TrainerOn" of section, bounded; a missing key keeps its value of def. Nothing when the
// section has no prefix + "Speed".
std::optional<TPracticeSettings> ReadPractice(const ProfileFile& file, const QString& section,
                                              const QString& prefix, const TPracticeSettings& def);
void WritePractice(ProfileFile& file, const QString& section, const QString& prefix,
                   const TPracticeSettings& practice);
