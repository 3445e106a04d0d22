#include "storage/practice_settings.h"

#include "platform/profile_file.h"

#include <algorithm>

TPracticeSettings Bounded(const TPracticeSettings& practice) {
    constexpr int largestTranspose = LargestTransposeSemitones * 100 + LargestTransposeCents;
    TPracticeSettings bounded = practice;
    bounded.Speed = std::clamp(practice.Speed, LowestPracticeSpeed, HighestPracticeSpeed);
    bounded.TransposeCents =
        std::clamp(practice.TransposeCents, -largestTranspose, largestTranspose);
    bounded.TrainerStart =
        std::clamp(practice.TrainerStart, LowestPracticeSpeed, HighestPracticeSpeed);
    bounded.TrainerStep = std::clamp(practice.TrainerStep, 1, LargestTrainerStep);
    bounded.TrainerTarget =
        std::clamp(practice.TrainerTarget, LowestPracticeSpeed, HighestPracticeSpeed);
    return bounded;
}

std::optional<TPracticeSettings> ReadPractice(const ProfileFile& file, const QString& section,
                                              const QString& prefix, const TPracticeSettings& def) {
    if (!file.ValueExists(section, prefix + QStringLiteral("Speed"))) {
        return std::nullopt;
    }
    const auto integer = [&](const char* key, int value) {
        return file.ReadInteger(section, prefix + QLatin1String(key), value);
    };
    TPracticeSettings practice;
    practice.Speed = integer("Speed", def.Speed);
    practice.TransposeCents = integer("TransposeCents", def.TransposeCents);
    practice.TrainerStart = integer("TrainerStart", def.TrainerStart);
    practice.TrainerStep = integer("TrainerStep", def.TrainerStep);
    practice.TrainerTarget = integer("TrainerTarget", def.TrainerTarget);
    practice.TrainerOn =
        file.ReadBool(section, prefix + QStringLiteral("TrainerOn"), def.TrainerOn);
    return Bounded(practice);
}

void WritePractice(ProfileFile& file, const QString& section, const QString& prefix,
                   const TPracticeSettings& practice) {
    const auto integer = [&](const char* key, int value) {
        file.WriteInteger(section, prefix + QLatin1String(key), value);
    };
    integer("Speed", practice.Speed);
    integer("TransposeCents", practice.TransposeCents);
    integer("TrainerStart", practice.TrainerStart);
    integer("TrainerStep", practice.TrainerStep);
    integer("TrainerTarget", practice.TrainerTarget);
    file.WriteBool(section, prefix + QStringLiteral("TrainerOn"), practice.TrainerOn);
}
