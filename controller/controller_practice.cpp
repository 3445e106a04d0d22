// Practising the song: its speed and transpose in the song player, the speed shown on the
// cassette's scale, the card's loop in the player and the speed trainer that follows it.
#include "actions/message_format.h"
#include "actions/messages.h"
#include "audio/playback_tempo.h"
#include "cassettes/repeat_frm.h"
#include "controller/main_controller.h"
#include "skins/round_half_even.h"
#include "storage/settings.h"

#include <QStringList>
#include <algorithm>

namespace {

constexpr int CentsPerSemitone = 100;

} // namespace

int TMainController::RatioOfSongSpeed(int speed) {
    return RoundHalfEven(10000.0 / std::clamp(speed, LowestPracticeSpeed, HighestPracticeSpeed));
}

int TMainController::SongSpeedOfRatio(int ratio) {
    return std::clamp(RoundHalfEven(10000.0 / std::max(ratio, 1)), LowestPracticeSpeed,
                      HighestPracticeSpeed);
}

// The player keeps the tempo even when its output cannot start again with it: the speed and
// transpose are shown before, so that an error leaves them showing what the song plays at.
void TMainController::ApplyPlaybackTempo() {
    TPlaybackTempo tempo;
    tempo.Speed = practice.Speed / 100.0;
    tempo.Cents = practice.TransposeCents;
    tempo.Engine = settings.PlaybackEngine == 1 ? TStretchEngine::Short : TStretchEngine::Finer;
    if (!(tempo == player.Tempo())) {
        player.SetTempo(tempo);
    }
}

void TMainController::TakePractice(const TPracticeSettings& kept) {
    practice = Bounded(kept);
    trainer.End();
    ShowSpeed();
    ApplyPlaybackTempo();
    // A card of the song may loop already: the song's own trainer takes it.
    if (practice.TrainerOn && songLoop) {
        BeginTrainerRun();
    }
}

void TMainController::SetSongSpeed(int percent, bool fromBar) {
    trainer.End();
    practice.Speed = std::clamp(percent, LowestPracticeSpeed, HighestPracticeSpeed);
    ShowSpeed(fromBar);
    ApplyPlaybackTempo();
}

void TMainController::PlaySongAt(int speed) {
    practice.Speed = std::clamp(speed, LowestPracticeSpeed, HighestPracticeSpeed);
    ShowSpeed();
    ApplyPlaybackTempo();
}

// Faster moves a step at once, and a point every 16 ms held once past that.
void TMainController::ChangeSongSpeedHeld(int tag, std::int32_t milliSec) {
    const int change = std::max(SongSpeedStep, milliSec / 16);
    SetSongSpeed(tag == cmWaveSlow ? holdStart[hsSlow] - change : holdStart[hsFast] + change);
}

// Cents beyond half a semitone either way belong to the next semitone.
int TMainController::TransposeSemitones() const {
    const int cents = practice.TransposeCents;
    const int semitones = cents / CentsPerSemitone;
    const int rest = cents % CentsPerSemitone;
    return rest > LargestTransposeCents    ? semitones + 1
           : rest < -LargestTransposeCents ? semitones - 1
                                           : semitones;
}

int TMainController::TransposeCents() const {
    return practice.TransposeCents - TransposeSemitones() * CentsPerSemitone;
}

void TMainController::SetTranspose(int semitones, int cents) {
    practice.TransposeCents =
        std::clamp(semitones, -LargestTransposeSemitones, LargestTransposeSemitones) *
            CentsPerSemitone +
        std::clamp(cents, -LargestTransposeCents, LargestTransposeCents);
    ShowSpeed();
    ApplyPlaybackTempo();
}

void TMainController::SetTrainerOptions(int start, int step, int target) {
    TPracticeSettings options = practice;
    options.TrainerStart = start;
    options.TrainerStep = step;
    options.TrainerTarget = target;
    options = Bounded(options);
    practice.TrainerStart = options.TrainerStart;
    practice.TrainerStep = options.TrainerStep;
    practice.TrainerTarget = options.TrainerTarget;
    if (practice.TrainerOn && songLoop) {
        BeginTrainerRun();
    }
}

void TMainController::SetSpeedTrainerOn(bool on) {
    practice.TrainerOn = on;
    if (on && songLoop) {
        BeginTrainerRun();
        return;
    }
    trainer.End();
    ShowSpeed();
}

void TMainController::BeginTrainerRun() {
    PlaySongAt(trainer.Begin(practice.TrainerStart, practice.TrainerStep, practice.TrainerTarget,
                             player.LoopPasses()));
}

void TMainController::FollowTrainer() {
    if (const std::optional<int> next = trainer.Follow(player.LoopPasses())) {
        PlaySongAt(*next);
    }
}

void TMainController::FollowCardLoop() {
    std::optional<std::pair<std::int32_t, std::int32_t>> wanted;
    const TRepeatFrm* card = DockedCard();
    if (card != nullptr && card->IsValid() && cardRepeatEnd != -1 && !autoRecording && HasMedia()) {
        wanted = std::pair(card->StartTime(), cardRepeatEnd);
    }
    if (wanted == songLoop) {
        return;
    }
    songLoop = wanted;
    if (wanted) {
        player.SetLoop(wanted->first, wanted->second);
    } else {
        player.ClearLoop();
    }
    if (wanted && practice.TrainerOn) {
        BeginTrainerRun();
    } else if (trainer.Running()) {
        trainer.End();
        ShowSpeed();
    }
}

void TMainController::ShowSpeed(bool fromBar) {
    if (Mode() == ModeCassette) {
        ShowRatio(fromBar);
    } else {
        ShowSongSpeed(fromBar);
    }
}

void TMainController::MoveRatioBar(int position) {
    movingRatioBar = true;
    frm.Groups[TSkinFunction::Ratio].SetPositionAll(position);
    movingRatioBar = false;
}

void TMainController::ShowSongSpeed(bool fromBar) {
    const int at = RatioOfSongSpeed(practice.Speed);
    if (!fromBar) {
        MoveRatioBar(RatioBarPosition(at));
    }
    frm.Groups[TSkinFunction::SpeedMeter].SetPositionAll(at);
    frm.Groups[TSkinFunction::SpeedMeterLabel].SetTextAll(
        FormatMessage(trainer.Running() ? STrainerSpeedLabel : SSongSpeedLabel, {practice.Speed}));
    frm.Groups[TSkinFunction::TransposeLabel].SetTextAll(TransposeText());
}

QString TMainController::TransposeText() const {
    QStringList parts;
    if (const int semitones = TransposeSemitones(); semitones != 0) {
        parts << FormatMessage(STransposeSemitones, {semitones});
    }
    if (const int cents = TransposeCents(); cents != 0) {
        parts << FormatMessage(STransposeCents, {cents});
    }
    return parts.join(u' ');
}
