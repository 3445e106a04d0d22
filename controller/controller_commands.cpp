// The commands: clicks by what is docked, press-and-hold previews committed at release,
// recording while held, the repeat switch and the speed change.
#include "actions/event_module.h"
#include "actions/real_time_action.h"
#include "actions/real_time_button.h"
#include "audio/record_source.h"
#include "audio/time_text.h"
#include "audio/wave_player.h"
#include "cassettes/qvr_window_list.h"
#include "cassettes/repeat_frm.h"
#include "cassettes/wave_frm.h"
#include "controller/main_controller.h"
#include "controller/song_list.h"
#include "skins/round_half_even.h"
#include "storage/settings.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

namespace {

bool IsPositioning(int tag) {
    switch (tag) {
    case TMainController::cmBack:
    case TMainController::cmStep:
    case TMainController::cmRepStartBack:
    case TMainController::cmRepStartStep:
    case TMainController::cmRepEndBack:
    case TMainController::cmRepEndStep:
        return true;
    default:
        return false;
    }
}

bool MovesBack(int tag) {
    return tag == TMainController::cmBack || tag == TMainController::cmRepStartBack ||
           tag == TMainController::cmRepEndBack;
}

bool IsRepeatStartTag(int tag) {
    return tag == TMainController::cmRepStartBack || tag == TMainController::cmRepStartStep;
}

bool IsRepeatEndTag(int tag) {
    return tag == TMainController::cmRepEndBack || tag == TMainController::cmRepEndStep;
}

std::int32_t Saturated(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

} // namespace

// --- clicks

TMainController::TClickHandler TMainController::ClickHandlerOf(TMode mode, int tag) const {
    // Modes with the song as target, and the mode with a cassette docked.
    static const std::map<int, TClickHandler> onSong = {
        {cmPrevTrack, &TMainController::ClickPrevTrack},
        {cmStop, &TMainController::ClickStop},
        {cmPause, &TMainController::ClickPause},
        {cmPlay, &TMainController::ClickPlay},
        {cmNextTrack, &TMainController::ClickNextTrack},
        {cmEject, &TMainController::ClickEject},
        {cmRepStartSet, &TMainController::ClickRepStartSet},
        {cmRepEndSet, &TMainController::ClickRepEndSet},
        {cmRepeatPlaySwitch, &TMainController::ClickRepeatSwitch},
        {cmAutoRec, &TMainController::ClickAutoRec},
        {cmJumpToStartTime, &TMainController::ClickJumpToStartTime},
        {cmHistoryBack, &TMainController::ClickHistoryBack},
        {cmTrash, &TMainController::ClickTrash},
        {cmSpeedReset, &TMainController::ClickSpeedReset},
        {cmTransposeUp, &TMainController::ClickTransposeUp},
        {cmTransposeDown, &TMainController::ClickTransposeDown},
        {cmCentsUp, &TMainController::ClickCentsUp},
        {cmCentsDown, &TMainController::ClickCentsDown},
        {cmSpeedTrainer, &TMainController::ClickSpeedTrainer},
    };
    static const std::map<int, TClickHandler> onCassette = {
        {cmStop, &TMainController::ClickStop},
        {cmPause, &TMainController::ClickPause},
        {cmPlay, &TMainController::ClickPlay},
        {cmNextTrack, &TMainController::ClickNextTrack},
        {cmEject, &TMainController::ClickEject},
        {cmRepStartSet, &TMainController::ClickRepStartSet},
        {cmRepEndSet, &TMainController::ClickRepEndSet},
        {cmRepeatPlaySwitch, &TMainController::ClickRepeatSwitch},
        {cmJumpToStartTime, &TMainController::ClickJumpToStartTime},
        {cmHistoryBack, &TMainController::ClickHistoryBack},
        {cmExecSpeedChange, &TMainController::ClickExecSpeedChange},
        {cmRestoreSpeedChange, &TMainController::ClickRestoreSpeedChange},
        {cmTrash, &TMainController::ClickTrash},
    };
    const auto& table = mode == ModeCassette ? onCassette : onSong;
    const auto handler = table.find(tag);
    return handler == table.end() ? nullptr : handler->second;
}

void TMainController::Click(int tag, bool switchWasOn, QObject* source) {
    if (const TClickHandler handler = ClickHandlerOf(Mode(), tag)) {
        (this->*handler)(switchWasOn, source);
    }
    ClickModeShared(tag, source);
}

void TMainController::ClickModeShared(int tag, QObject* source) {
    const bool anyWindow = !QvrWindows().empty();
    const auto run = [](const auto& command, auto&&... arguments) {
        if (command) {
            command(arguments...);
        }
    };
    switch (tag) {
    case cmSelect:
        if (anyWindow) {
            run(Shell.Select);
        }
        break;
    case cmEjectCassette:
        if (anyWindow) {
            EjectDocked();
        }
        break;
    case cmMinimize:
        run(Shell.Minimize);
        break;
    case cmExit:
        run(Shell.Exit);
        break;
    case cmConfig:
        run(Shell.Config, qobject_cast<QWidget*>(source));
        break;
    case cmShowHomepage: {
        const auto* button = qobject_cast<TRealTimeButton*>(source);
        run(Shell.ShowHomepage, button != nullptr ? button->UserString() : QString());
        break;
    }
    case cmShowVornic:
        run(Shell.ShowVornic);
        break;
    default:
        break;
    }
}

void TMainController::ClickPrevTrack(bool, QObject*) {
    if (!HasMedia()) {
        return;
    }
    if (player.IsDisc()) {
        player.Previous();
    } else if (MediaPosition() >= 1000) {
        player.SetPositionWithMethod(0);
    } else if (const auto previousSong =
                   songList != nullptr ? songList->PreviousSong(songPath) : std::nullopt) {
        ChangeSong(*previousSong);
    } else {
        player.Stop();
    }
}

void TMainController::ClickStop(bool, QObject*) {
    if (TWaveFrm* cassette = DockedCassette()) {
        cassette->ActivePlayer().Stop();
    } else if (HasMedia()) {
        player.Stop();
    }
}

void TMainController::ClickPause(bool, QObject*) {
    if (TWaveFrm* cassette = DockedCassette()) {
        cassette->ActivePlayer().PlayStop();
    } else if (HasMedia()) {
        player.Pause();
    }
}

void TMainController::ClickPlay(bool, QObject*) {
    if (TWaveFrm* cassette = DockedCassette()) {
        TWavePlayer& active = cassette->ActivePlayer();
        if (active.GetState() == TWavePlayer::StatePlaying) {
            active.Stop();
        } else {
            active.Play();
        }
    } else if (HasMedia()) {
        if (player.GetMode() == TMPModes::mpPlaying) {
            player.Stop();
        } else {
            PlaySong();
        }
    }
}

void TMainController::PlaySong() {
    if (HasMedia()) {
        // The user plays on: an earlier recording no longer holds the song at its end.
        endOfSongBlocked = false;
        player.Play();
    }
}

void TMainController::ClickNextTrack(bool, QObject*) {
    if (!HasMedia()) {
        return;
    }
    if (player.IsDisc()) {
        player.Next();
        return;
    }
    if (const std::optional<std::string> next = SongAfterCurrent()) {
        ChangeSong(*next);
    }
}

std::optional<std::string> TMainController::SongAfterCurrent() const {
    if (songList == nullptr) {
        return std::nullopt;
    }
    // After the last song the list starts again.
    std::optional<std::string> next = songList->NextSong(songPath);
    return next ? next : songList->FirstSong();
}

void TMainController::ClickEject(bool, QObject*) {
    if (player.IsOpen()) {
        player.Eject();
    }
}

void TMainController::ClickRepStartSet(bool, QObject*) {
    if (TWaveFrm* cassette = DockedCassette()) {
        TWavePlayer& active = cassette->ActivePlayer();
        active.SetRepeatStart(std::clamp(active.GetPosition(), 0, active.GetLength()));
        ShowRepeatTimes(true);
    } else if (HasMedia()) {
        SetCardTime(true, MediaPosition(), true);
    }
}

void TMainController::ClickRepEndSet(bool, QObject*) {
    if (TWaveFrm* cassette = DockedCassette()) {
        TWavePlayer& active = cassette->ActivePlayer();
        active.SetRepeatEnd(std::clamp(active.GetPosition(), 0, active.GetLength()));
        ShowRepeatTimes(true);
    } else if (HasMedia()) {
        SetCardTime(false, MediaPosition(), true);
    }
}

void TMainController::ClickRepeatSwitch(bool switchWasOn, QObject*) {
    if (Mode() != ModeNothing) {
        RepeatSwitch(!switchWasOn);
    }
}

void TMainController::ClickAutoRec(bool, QObject*) {
    const TRepeatFrm* card = DockedCard();
    if (card != nullptr && card->IsValid() && HasMedia()) {
        StartAutoRecording();
    }
}

void TMainController::ClickJumpToStartTime(bool, QObject*) {
    if (TWaveFrm* cassette = DockedCassette()) {
        PositionCassette(cassette->ActivePlayer().GetRepeatStart());
    } else if (const TRepeatFrm* card = DockedCard();
               card != nullptr && card->StartTime() != -1 && HasMedia()) {
        player.SetTimeFormat(tfMilliseconds);
        player.SetPositionWithMethod(card->StartTime());
    }
}

void TMainController::ClickHistoryBack(bool, QObject*) {
    if (TWaveFrm* cassette = DockedCassette()) {
        if (cassette->HistoryPosition != -1) {
            PositionCassette(cassette->HistoryPosition);
        }
    } else if (HasMedia() && mediaHistory != -1) {
        MediaJump(mediaHistory);
    }
}

void TMainController::ClickExecSpeedChange(bool, QObject*) {
    ExecuteSpeedChange();
}

void TMainController::ClickRestoreSpeedChange(bool, QObject*) {
    RestoreSpeedChange();
}

void TMainController::ClickTrash(bool, QObject*) {
    CloseDocked();
}

void TMainController::ClickSpeedReset(bool, QObject*) {
    SetSongSpeed(100);
}

void TMainController::ClickTransposeUp(bool, QObject*) {
    SetTranspose(TransposeSemitones() + 1, TransposeCents());
}

void TMainController::ClickTransposeDown(bool, QObject*) {
    SetTranspose(TransposeSemitones() - 1, TransposeCents());
}

void TMainController::ClickCentsUp(bool, QObject*) {
    SetTranspose(TransposeSemitones(), TransposeCents() + CentsStep);
}

void TMainController::ClickCentsDown(bool, QObject*) {
    SetTranspose(TransposeSemitones(), TransposeCents() - CentsStep);
}

void TMainController::ClickSpeedTrainer(bool, QObject*) {
    SetSpeedTrainerOn(!practice.TrainerOn);
}

// --- press and hold

// A short cassette moves slower than the song, but always at least a millisecond a millisecond
// held.
int TMainController::CassetteQuickness() {
    TWaveFrm* cassette = DockedCassette();
    return std::max(1, RoundHalfEven(cassette->StepFactor() * settings.MainFrmSearchSpeed));
}

void TMainController::Press(int tag) {
    TWaveFrm* cassette = DockedCassette();
    const TRepeatFrm* card = DockedCard();
    if (IsPositioning(tag)) {
        holding = true;
    }
    switch (tag) {
    case cmBack:
    case cmStep: {
        const std::int32_t start = cassette != nullptr ? cassette->ActivePlayer().GetPosition()
                                   : HasMedia()        ? MediaPosition()
                                                       : 0;
        holdStart[tag == cmBack ? hsBack : hsStep] = start;
        break;
    }
    case cmRepStartBack:
    case cmRepStartStep:
        holdStart[tag == cmRepStartBack ? hsRepStartBack : hsRepStartStep] =
            cassette != nullptr ? cassette->ActivePlayer().GetRepeatStart()
            : card != nullptr   ? card->StartTime()
                                : -1;
        break;
    case cmRepEndBack:
    case cmRepEndStep:
        holdStart[tag == cmRepEndBack ? hsRepEndBack : hsRepEndStep] =
            cassette != nullptr ? cassette->ActivePlayer().GetRepeatEnd()
            : card != nullptr   ? card->EndTime()
                                : -1;
        break;
    case cmRec:
        StartRecording();
        holding = false;
        break;
    case cmWaveSlow:
    case cmWaveFast:
        // The cassette's ratio in mode 3, the song's own speed in modes 1 and 2.
        holdStart[tag == cmWaveSlow ? hsSlow : hsFast] =
            cassette != nullptr ? ratio : practice.Speed;
        Holding(tag, 0);
        break;
    case cmTrash:
        if (cassette != nullptr) {
            CloseDocked();
        }
        break;
    default:
        break;
    }
}

std::int32_t TMainController::HoldTarget(int tag, std::int32_t milliSec) {
    THoldStart slot = hsBack;
    switch (tag) {
    case cmBack:
        slot = hsBack;
        break;
    case cmStep:
        slot = hsStep;
        break;
    case cmRepStartBack:
        slot = hsRepStartBack;
        break;
    case cmRepStartStep:
        slot = hsRepStartStep;
        break;
    case cmRepEndBack:
        slot = hsRepEndBack;
        break;
    case cmRepEndStep:
        slot = hsRepEndStep;
        break;
    default:
        break;
    }
    const std::int64_t quickness =
        Mode() == ModeCassette ? CassetteQuickness() : settings.MainFrmSearchSpeed;
    const std::int64_t moved = static_cast<std::int64_t>(milliSec) * quickness;
    return Saturated(holdStart[slot] + (MovesBack(tag) ? -moved : moved));
}

void TMainController::Holding(int tag, std::int32_t milliSec) {
    if (IsPositioning(tag)) {
        PreviewHold(tag, milliSec);
    } else if (tag == cmWaveSlow || tag == cmWaveFast) {
        if (Mode() == ModeCassette) {
            ChangeRatioHeld(tag, milliSec);
        } else {
            ChangeSongSpeedHeld(tag, milliSec);
        }
    }
}

// Slower makes the copy longer: a press moves one step at once, holding a point every 16 ms.
void TMainController::ChangeRatioHeld(int tag, std::int32_t milliSec) {
    const int change = std::max(RatioStep, milliSec / 16);
    SetRatio(tag == cmWaveSlow ? holdStart[hsSlow] + change : holdStart[hsFast] - change);
}

void TMainController::PreviewHold(int tag, std::int32_t milliSec) {
    const std::int32_t target = HoldTarget(tag, milliSec);
    if (TWaveFrm* cassette = DockedCassette()) {
        if (tag == cmBack || tag == cmStep) {
            ShowCurrentTime(target);
            return;
        }
        const std::int32_t time = std::clamp(target, 0, cassette->ActivePlayer().GetLength());
        const bool start = IsRepeatStartTag(tag);
        frm.SetText(start ? TTimeText::RepeatStart : TTimeText::RepeatStop,
                    QString::fromStdString(TimeText(time)));
        frm.Groups[start ? TSkinFunction::RepeatStart : TSkinFunction::RepeatEnd].SetPositionAll(
            time);
        return;
    }
    if (!HasMedia()) {
        return;
    }
    if (tag == cmBack || tag == cmStep) {
        ShowCurrentTime(target);
    } else if (IsRepeatStartTag(tag)) {
        ShowMediaTimeAt(TTimeText::RepeatStart, target, TSkinFunction::RepeatStart, true);
    } else if (IsRepeatEndTag(tag)) {
        ShowMediaTimeAt(TTimeText::RepeatStop, target, TSkinFunction::RepeatEnd, true);
    }
}

void TMainController::Release(int tag, std::int32_t milliSec) {
    if (tag == cmRec) {
        StopRecording();
        return;
    }
    if (IsPositioning(tag)) {
        // While a recording runs nothing is docked: a positioning key then has nothing to move.
        if (recordingCassette == nullptr) {
            CommitHold(tag, milliSec);
        }
        holding = false;
        return;
    }
    Holding(tag, milliSec);
}

void TMainController::CommitHold(int tag, std::int32_t milliSec) {
    const std::int32_t target = HoldTarget(tag, milliSec);
    TWaveFrm* cassette = DockedCassette();
    if (tag == cmBack || tag == cmStep) {
        if (cassette != nullptr) {
            cassette->HistoryPosition = target;
            PositionCassette(target);
        } else if (HasMedia()) {
            mediaHistory = target;
            MediaJump(target);
        }
        return;
    }
    const bool start = IsRepeatStartTag(tag);
    if (cassette != nullptr) {
        TWavePlayer& active = cassette->ActivePlayer();
        const std::int32_t time = std::clamp(target, 0, active.GetLength());
        if (start) {
            active.SetRepeatStart(time);
        } else {
            active.SetRepeatEnd(time);
        }
        ShowRepeatTimes(true);
    } else {
        SetCardTime(start, target, true);
    }
}

// --- positions and the repeat switch

void TMainController::MediaJump(std::int32_t time) {
    if (!HasMedia()) {
        return;
    }
    player.SetTimeFormat(tfMilliseconds);
    time = std::max(time, 0);
    const std::int32_t track = std::max(1, player.CurrentTrack());
    const std::int32_t trackEnd = player.TrackPosition(track) + player.TrackOrMediaLength(track);
    if (time > trackEnd) {
        time = trackEnd - 100;
    }
    player.SetPositionWithMethod(time);
}

void TMainController::PositionCassette(std::int32_t time) {
    TWaveFrm* cassette = DockedCassette();
    if (cassette == nullptr) {
        return;
    }
    TWavePlayer& active = cassette->ActivePlayer();
    const bool playing = active.GetState() == TWavePlayer::StatePlaying;
    active.Stop();
    active.SetPosition(std::clamp(time, 0, active.GetLength()));
    if (playing) {
        active.Play();
    }
}

void TMainController::SetCardTime(bool start, std::int32_t time, bool updateBars) {
    if (!HasMedia()) {
        return;
    }
    if (Mode() == ModeNothing) {
        auto* card = new TRepeatFrm(*this);
        card->move(card->DockingPoint());
        card->setVisible(settings.CassettesVisible);
        DockWindow(card, false);
    }
    TRepeatFrm* card = DockedCard();
    if (card == nullptr) {
        return;
    }
    time = std::clamp(time, FirstPlayablePosition(), std::max(0, player.EndPosition()));
    if (start) {
        card->SetStartTime(time);
    } else {
        card->SetEndTime(time);
        if (cardRepeatEnd != -1) {
            cardRepeatEnd = time;
        }
    }
    UpdateControlVisibility();
    ShowCardTimes(updateBars);
    FollowCardLoop();
}

void TMainController::RepeatSwitch(bool turnOn) {
    if (TWaveFrm* cassette = DockedCassette()) {
        TWavePlayer& active = cassette->ActivePlayer();
        if (!turnOn) {
            active.RepeatEnabled = false;
            return;
        }
        if (settings.JumpToStartWhenSwitchOn) {
            active.SetPosition(active.GetRepeatStart());
        }
        active.RepeatEnabled = true;
        if (active.GetState() != TWavePlayer::StatePlaying) {
            active.Play();
        }
        return;
    }
    const TRepeatFrm* card = DockedCard();
    if (card == nullptr) {
        return;
    }
    // Only a whole section repeats: with its ends unset or crossed the song would stick.
    if (!turnOn || !card->IsValid()) {
        cardRepeatEnd = -1;
        FollowCardLoop();
        return;
    }
    cardRepeatEnd = card->EndTime();
    FollowCardLoop();
    if (settings.JumpToStartWhenSwitchOn && HasMedia()) {
        player.SetTimeFormat(tfMilliseconds);
        player.SetPositionWithMethod(card->StartTime());
        if (player.GetMode() != TMPModes::mpPlaying) {
            player.Play();
        }
    }
}

// --- recording

void TMainController::StartRecording() {
    if (!HasMedia() || recordingCassette != nullptr) {
        return;
    }
    EjectDocked();
    auto* cassette = new TWaveFrm(*this);
    cassette->move(cassette->DockingPoint());
    try {
        cassette->StartRecording();
    } catch (...) {
        delete cassette;
        throw;
    }
    cassette->setVisible(settings.CassettesVisible);
    recordingCassette = cassette;
    // Read once the song plays: a song stopped at its end starts again from its beginning.
    if (player.GetMode() != TMPModes::mpPlaying) {
        player.Play();
    }
    cassette->RepeatStartTimeOnFile = MediaPosition();
    endOfSongBlocked = true;
    UpdateControlVisibility();
}

void TMainController::StopRecording() {
    endOfSongBlocked = true;
    TWaveFrm* cassette = recordingCassette;
    if (cassette == nullptr) {
        return;
    }
    if (HasMedia() && player.GetMode() == TMPModes::mpPlaying) {
        player.Pause();
    }
    cassette->RepeatStopTimeOnFile = HasMedia() ? MediaPosition() : -1;
    recordingCassette = nullptr;
    cassette->StopRecording();
    DockWindow(cassette, false);
    RefreshDisplay();
    ShowRepeatTimes(true);
}

void TMainController::StartAutoRecording() {
    const TRepeatFrm* card = DockedCard();
    const std::int32_t start = card->StartTime();
    const std::int32_t end = card->EndTime();
    player.SetTimeFormat(tfMilliseconds);
    // A card kept from a longer take of the song may begin after this one ends: nothing of it
    // can be recorded, and the song must not be played from its beginning instead.
    if (start >= player.EndPosition()) {
        return;
    }
    if (recordSource) {
        // Recorded from the song itself, the section is taken sample for sample: the song stands
        // still from the seek until the recording runs, so that the recording begins on the
        // section's first sample, and the recording takes nothing heard after its last one,
        // however late the tick that stops it comes.
        if (player.GetMode() == TMPModes::mpPlaying) {
            player.Stop();
        }
        player.SetPositionWithMethod(start);
        recordSource->EndRecordingsAt(player.HeardBytes() + player.SectionBytes(start, end));
    } else {
        player.SetPositionWithMethod(start);
    }
    try {
        StartRecording();
    } catch (...) {
        LiftSectionEnd();
        throw;
    }
    if (recordingCassette == nullptr) {
        LiftSectionEnd();
        return;
    }
    autoRecording = true;
    cardRepeatEnd = end;
    FollowCardLoop();
    if (Shell.ShowAutoRecord) {
        Shell.ShowAutoRecord();
    }
}

void TMainController::FinishAutoRecording() {
    cardRepeatEnd = -1;
    autoRecording = false;
    try {
        StopRecording();
    } catch (...) {
        EndAutoRecording();
        throw;
    }
    EndAutoRecording();
}

void TMainController::EndAutoRecording() {
    cardRepeatEnd = -1;
    autoRecording = false;
    FollowCardLoop();
    LiftSectionEnd();
    if (Shell.CloseAutoRecord) {
        Shell.CloseAutoRecord();
    }
}

void TMainController::StopAutoRecording() {
    Guarded([this] { FinishAutoRecording(); });
}

void TMainController::LiftSectionEnd() {
    if (recordSource) {
        recordSource->EndRecordingsAt(-1);
    }
}

// --- speed

void TMainController::ExecuteSpeedChange() {
    if (executeEnabled) {
        ChangeCassetteSpeed([this](TWaveFrm& cassette, SpeedChangeDone done) {
            cassette.ExecuteStretch(ratio, std::move(done));
        });
    }
}

void TMainController::RestoreSpeedChange() {
    ChangeCassetteSpeed([](TWaveFrm& cassette, const SpeedChangeDone& done) {
        cassette.RestoreStretch();
        done(cassette, nullptr);
    });
}

void TMainController::ChangeCassetteSpeed(
    const std::function<void(TWaveFrm&, SpeedChangeDone)>& change) {
    TWaveFrm* cassette = DockedCassette();
    if (cassette == nullptr || cassette->SpeedChangeRunning()) {
        return;
    }
    // The copy (or the recording again) plays on as the one before did once the change ends,
    // and so does the cassette as it was after a failure or a cancel.
    const std::uint8_t state = cassette->ActivePlayer().GetState();
    const bool repeat = cassette->ActivePlayer().RepeatEnabled;
    cassette->ActivePlayer().Stop();
    change(*cassette, [this, state, repeat](TWaveFrm& changed, const std::exception_ptr& error) {
        Guarded([&] {
            TWavePlayer& now = changed.ActivePlayer();
            now.RepeatEnabled = repeat;
            if (state == TWavePlayer::StatePlaying) {
                now.Play();
            }
            RefreshDisplay();
            ShowRepeatTimes(true);
            if (&changed == DockedCassette()) {
                const bool stretched = changed.IsStretched();
                SetGroupVisible(TSkinFunction::RestoreSpeedChange, stretched);
                SetGroupVisible(TSkinFunction::ExecSpeedChange, !stretched);
                executeEnabled = !stretched;
            }
            if (error) {
                std::rethrow_exception(error);
            }
        });
    });
}
