// What the main window shows: the time texts, the bars, which controls are visible, the
// speed, the song list menu and the title naming the song.
#include "actions/event_module.h"
#include "actions/message_format.h"
#include "actions/messages.h"
#include "actions/program_caption.h"
#include "actions/real_time_action.h"
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

namespace {

QString TimeString(std::int32_t ms) {
    return QString::fromStdString(TimeText(ms));
}

// "%2.2d:%2.2d:%2.2d" of minutes, seconds and hundredths, as the song list shows times.
QString SongListTime(std::int32_t ms) {
    return QString::asprintf("%2.2d:%2.2d:%2.2d", ms / 60000, ms / 1000 % 60, ms / 10 % 100);
}

// What is left of a path after its last folder, written with either kind of delimiter.
QString FileNamePart(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return QString::fromStdString(slash == std::string::npos ? path : path.substr(slash + 1));
}

// The main window's title: the song, then the program, as the task bar and the window switcher
// show it; the program alone without a song.
QString WindowTitle(const QString& song) {
    const QString program = QString::fromUtf8(ProgramCaption);
    return song.isEmpty() ? program : song + QStringLiteral(" - ") + program;
}

} // namespace

bool TMainController::HasMedia() const {
    // An open drive with its tray open or no disc in has nothing to play, seek or record.
    return player.IsReady();
}

std::int32_t TMainController::MediaPosition() {
    player.SetTimeFormat(tfMilliseconds);
    return player.GetPosition();
}

std::int32_t TMainController::FirstPlayablePosition() {
    player.SetTimeFormat(tfMilliseconds);
    return player.Tracks() > 0 ? player.TrackPosition(1) : 0;
}

std::int32_t TMainController::CassetteLength(TWaveFrm& cassette) {
    return cassette.ActivePlayer().GetLength();
}

void TMainController::SetBar(TSkinFunction bar, int max, int position) {
    frm.Groups[bar].SetMaxAll(max);
    frm.Groups[bar].SetPositionAll(position);
}

void TMainController::SetGroupVisible(TSkinFunction group, bool visible) {
    frm.Groups[group].SetVisibleAll(visible);
}

void TMainController::ShowCurrentTime(std::int32_t time) {
    if (TWaveFrm* cassette = DockedCassette()) {
        time = std::clamp(time, 0, CassetteLength(*cassette));
        frm.SetText(TTimeText::CurrentTime, TimeString(time));
        frm.Groups[TSkinFunction::PlayingPosition].SetPositionAll(time);
        return;
    }
    if (!HasMedia()) {
        return;
    }
    time = std::clamp(time, FirstPlayablePosition(), std::max(0, player.EndPosition()));
    std::int32_t track = 0;
    std::int32_t inTrack = 0;
    player.PositionToTrack(time, track, inTrack);
    frm.SetText(TTimeText::CurrentTime, TimeString(inTrack));
    frm.Groups[TSkinFunction::PlayingPosition].SetPositionAll(inTrack);
}

void TMainController::ShowMediaTimeAt(TTimeText which, std::int32_t time, TSkinFunction bar,
                                      bool updateBars) {
    if (time == -1) {
        frm.SetText(which, which == TTimeText::RepeatStart ? QString() : TimeString(0));
        if (updateBars) {
            SetBar(bar, 1, 0);
        }
        return;
    }
    if (!HasMedia()) {
        return;
    }
    time = std::clamp(time, FirstPlayablePosition(), std::max(0, player.EndPosition()));
    std::int32_t track = 0;
    std::int32_t inTrack = 0;
    player.PositionToTrack(time, track, inTrack);
    frm.SetText(which, TimeString(inTrack));
    if (updateBars) {
        SetBar(bar, std::max(1, player.TrackOrMediaLength(std::max(1, track)) - 1), inTrack);
    }
}

void TMainController::ShowCardTimes(bool updateBars) {
    const TRepeatFrm* card = DockedCard();
    if (card == nullptr || !HasMedia()) {
        return;
    }
    frm.SetText(TTimeText::RepeatStart, card->lbStartTime);
    frm.SetText(TTimeText::RepeatStop, card->lbEndTime);
    const auto showEnd = [&](std::int32_t time, TSkinFunction bar) {
        if (time == -1) {
            return;
        }
        std::int32_t track = 0;
        std::int32_t inTrack = 0;
        player.PositionToTrack(time, track, inTrack);
        frm.Groups[bar].SetMaxAll(std::max(1, player.TrackOrMediaLength(std::max(1, track)) - 1));
        if (updateBars) {
            frm.Groups[bar].SetPositionAll(inTrack);
        }
    };
    showEnd(card->StartTime(), TSkinFunction::RepeatStart);
    showEnd(card->EndTime(), TSkinFunction::RepeatEnd);
}

void TMainController::ShowRepeatTimes(bool updateBars) {
    switch (Mode()) {
    case ModeNothing:
        frm.SetText(TTimeText::RepeatStart, QString());
        frm.SetText(TTimeText::RepeatStop, QString());
        if (updateBars) {
            SetBar(TSkinFunction::RepeatStart, 1, 0);
            SetBar(TSkinFunction::RepeatEnd, 1, 0);
        }
        break;
    case ModeCard:
        ShowCardTimes(updateBars);
        break;
    case ModeCassette: {
        TWavePlayer& cassette = DockedCassette()->ActivePlayer();
        const std::int32_t length = cassette.GetLength();
        const std::int32_t head = cassette.GetRepeatStart();
        const std::int32_t tail = cassette.GetRepeatEnd();
        frm.SetText(TTimeText::RepeatStart, TimeString(head));
        frm.SetText(TTimeText::RepeatStop, TimeString(tail));
        frm.Groups[TSkinFunction::RepeatStart].SetMaxAll(length);
        frm.Groups[TSkinFunction::RepeatEnd].SetMaxAll(length);
        if (updateBars) {
            frm.Groups[TSkinFunction::RepeatStart].SetPositionAll(head);
            frm.Groups[TSkinFunction::RepeatEnd].SetPositionAll(tail);
        }
        break;
    }
    }
}

void TMainController::RefreshDisplay() {
    if (HasMedia()) {
        RebuildSongList();
    } else {
        frm.SetText(TTimeText::CurrentTime, SNoData);
        frm.SetSongList({});
    }
    int max = 1;
    if (TWaveFrm* cassette = DockedCassette()) {
        max = CassetteLength(*cassette);
    } else if (HasMedia()) {
        player.SetTimeFormat(tfMilliseconds);
        max = std::max(1, player.TrackOrMediaLength(std::max(1, player.CurrentTrack())) - 1);
    }
    frm.Groups[TSkinFunction::PlayingPosition].SetMaxAll(max);
    QString song;
    if (HasMedia() && !songPath.empty()) {
        song = player.IsDisc() ? FormatMessage(SPlayCD, {songPath}) : FileNamePart(songPath);
    }
    window.setWindowTitle(WindowTitle(song));
}

void TMainController::RebuildSongList() {
    std::vector<TSongListEntry> entries;
    if (player.IsDisc()) {
        player.SetTimeFormat(tfMilliseconds);
        const std::int32_t current = player.CurrentTrack();
        for (std::int32_t track = 1; track <= player.TrackCount(); ++track) {
            const QString caption = QString::asprintf("[%3d] ", track) +
                                    SongListTime(player.TrackPosition(track)) + " " +
                                    SongListTime(player.TrackLength(track));
            entries.push_back({caption, track == current, [this, track] {
                                   Guarded([&] {
                                       player.GoToTrack(track);
                                       ShowCurrentTime(MediaPosition());
                                   });
                               }});
        }
    } else if (songList != nullptr) {
        for (const std::string& song : songList->Songs()) {
            entries.push_back({FileNamePart(song), song == songPath, [this, song] {
                                   Guarded([&] {
                                       ChangeSong(song);
                                       if (HasMedia()) {
                                           ShowCurrentTime(MediaPosition());
                                       }
                                   });
                               }});
        }
    }
    frm.SetSongList(std::move(entries));
}

void TMainController::UpdateControlVisibility() {
    const TMode mode = Mode();
    const TRepeatFrm* card = DockedCard();
    const TWaveFrm* cassette = DockedCassette();
    const bool validCard = card != nullptr && card->IsValid();
    const bool anyWindow = !QvrWindows().empty();
    SetGroupVisible(TSkinFunction::AutoRec, validCard);
    SetGroupVisible(TSkinFunction::Rec, true);
    SetGroupVisible(TSkinFunction::Trash, mode != ModeNothing);
    SetGroupVisible(TSkinFunction::RepeatPlaySwitch, validCard || mode == ModeCassette);
    SetGroupVisible(TSkinFunction::JumpToStartTime, mode != ModeNothing);
    for (const TSkinFunction group :
         {TSkinFunction::Eject, TSkinFunction::PrevTrack, TSkinFunction::NextTrack}) {
        SetGroupVisible(group, mode != ModeCassette);
    }
    // The song's speed in modes 1 and 2, the cassette's ratio in mode 3.
    for (const TSkinFunction group :
         {TSkinFunction::Ratio, TSkinFunction::WaveSlow, TSkinFunction::WaveFast,
          TSkinFunction::Velocity, TSkinFunction::SpeedMeterLabel}) {
        SetGroupVisible(group, true);
    }
    // What acts on the song's sound in modes 1 and 2.
    for (const TSkinFunction group :
         {TSkinFunction::TransposeLabel, TSkinFunction::SpeedReset, TSkinFunction::TransposeUp,
          TSkinFunction::TransposeDown, TSkinFunction::CentsUp, TSkinFunction::CentsDown,
          TSkinFunction::SpeedTrainer}) {
        SetGroupVisible(group, mode != ModeCassette);
    }
    SetGroupVisible(TSkinFunction::ExecSpeedChange,
                    cassette != nullptr && !cassette->IsStretched());
    SetGroupVisible(TSkinFunction::RestoreSpeedChange,
                    cassette != nullptr && cassette->IsStretched());
    SetGroupVisible(TSkinFunction::HistoryBack, true);
    SetGroupVisible(TSkinFunction::Select, anyWindow);
    SetGroupVisible(TSkinFunction::EjectCassette, anyWindow && docked != nullptr);
    bool switchOn = false;
    if (cassette != nullptr) {
        switchOn = DockedCassette()->ActivePlayer().RepeatEnabled;
    } else if (card != nullptr) {
        switchOn = cardRepeatEnd != -1;
    }
    events.reRepeatPlaySwitch->SetToggled(switchOn);
}

int TMainController::DefaultRatio() const {
    return settings.LinearStretch ? 370 : 150;
}

void TMainController::SetRatio(int value, bool fromBar) {
    ratio = std::clamp(value, MinRatio, MaxRatio);
    executeEnabled = true;
    if (Mode() == ModeCassette) {
        ShowRatio(fromBar);
        SetGroupVisible(TSkinFunction::ExecSpeedChange, true);
    }
}

void TMainController::ShowRatio(bool fromBar) {
    if (!fromBar) {
        MoveRatioBar(RatioBarPosition(ratio));
    }
    frm.Groups[TSkinFunction::SpeedMeter].SetPositionAll(ratio);
    QString label;
    if (settings.LinearStretch) {
        // Semitone steps around 250: ten ratio points a step.
        const int steps = std::min(24, RoundHalfEven((ratio - 250) / 10.0));
        label = steps > 0 ? QStringLiteral("+%1").arg(steps) : QString::number(steps);
    } else {
        label = QStringLiteral("%1%").arg(ratio);
    }
    frm.Groups[TSkinFunction::SpeedMeterLabel].SetTextAll(label);
}
