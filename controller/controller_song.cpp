// The song: opening it, following it every 64 ms, keeping its windows, starting and ending.
#include "actions/event_module.h"
#include "actions/fatal_error.h"
#include "actions/message_format.h"
#include "actions/messages.h"
#include "audio/wave_player.h"
#include "cassettes/repeat_frm.h"
#include "cassettes/wave_frm.h"
#include "controller/main_controller.h"
#include "controller/song_data_store.h"
#include "controller/song_list.h"
#include "storage/settings.h"

#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <filesystem>

namespace {

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

} // namespace

bool TMainController::SongIsReady() const {
    return player.IsReady();
}

bool TMainController::OpenSong(const std::string& path) {
    const std::string song = Trimmed(path);
    if (HasMedia() && !songPath.empty() && song == songPath) {
        return true;
    }
    const auto& drives = player.DriveList;
    const bool drive = std::find(drives.begin(), drives.end(), song) != drives.end();
    const bool wasPlaying = HasMedia() && player.GetMode() == TMPModes::mpPlaying;
    if (HasMedia()) {
        player.Stop();
    }
    player.Close();
    songReady = false;
    songPath.clear();
    std::error_code error;
    if (!drive && !std::filesystem::exists(song, error)) {
        // The song before is closed: the tick saves its windows.
        Tick();
        ShowMessage(FormatMessage(SFileNotFound, {QString::fromStdString(song)}),
                    QMessageBox::Critical);
        return false;
    }
    player.DeviceType = drive ? TMPDeviceTypes::dtCDAudio : TMPDeviceTypes::dtAutoSelect;
    player.FileName = song;
    Tick();
    bool opened = true;
    try {
        player.Open();
    } catch (const EMCIDeviceError& failure) {
        opened = false;
        ShowMessage((drive ? SCouldNotPlayCD : SCouldNotPlayFile) + QStringLiteral("\n\n") +
                        QString::fromStdString(failure.what()),
                    QMessageBox::Warning);
    }
    if (opened) {
        player.SetTimeFormat(tfMilliseconds);
        // A new song may be heard to its end again.
        endOfSongBlocked = false;
        if (wasPlaying) {
            player.Play();
        }
    }
    Tick();
    songPath = opened ? song : std::string();
    songReady = opened;
    mediaHistory = 0;
    RefreshDisplay();
    return opened;
}

void TMainController::Tick() {
    try {
        TSnapshot now;
        now.Ready = SongIsReady();
        now.Mode = player.GetMode();
        now.Track = now.Ready ? player.CurrentTrack() : 0;
        // The windows belong to the song they were loaded for: when another song (or none) is
        // ready now, they are saved and put away, and the ready song's are loaded. A failed
        // save leaves them as they are, to be saved again at the next tick.
        const std::string readySong = now.Ready ? player.FileName : std::string();
        if (readySong != windowsSong || now.Ready != windowsSongReady) {
            if (windowsSongReady) {
                SongClosed();
            }
            windowsSong = readySong;
            windowsSongReady = now.Ready;
            if (now.Ready) {
                SongOpened();
            }
        }
        if (now.Ready) {
            FollowSong(now);
        }
        previous = now;
        ReleaseCloseQueue();
    } catch (const std::exception& error) {
        ReportFatal(error);
    }
}

void TMainController::FollowSong(const TSnapshot& now) {
    const std::int32_t position = MediaPosition();
    if (!holding) {
        ShowCurrentTime(position);
    }
    // A section that ends where the song ends is over when the song has stopped there.
    const bool atSongEnd = now.Mode != TMPModes::mpPlaying && position >= player.EndPosition() - 1;
    if (cardRepeatEnd != -1 &&
        (position > cardRepeatEnd || (atSongEnd && position >= cardRepeatEnd))) {
        if (autoRecording) {
            FinishAutoRecording();
        } else if (const TRepeatFrm* card = DockedCard()) {
            player.SetPositionWithMethod(card->StartTime());
            if (player.GetMode() != TMPModes::mpPlaying) {
                player.Play();
            }
        }
        return;
    }
    // An automatic recording that the user stopped ends there.
    if (autoRecording && now.Mode != TMPModes::mpPlaying) {
        FinishAutoRecording();
        return;
    }
    // The end is noticed once, as the song stops there: a song left at its end stays.
    if (!player.IsDisc() && !endOfSongBlocked && previous.Mode == TMPModes::mpPlaying &&
        position >= player.EndPosition() - 1) {
        AdvanceAtEndOfSong();
    }
    if (player.IsDisc() && now.Track != previous.Track) {
        RefreshDisplay();
        UpdateControlVisibility();
    }
    KeepFocusOnMain();
}

void TMainController::AdvanceAtEndOfSong() {
    if (LoopPlay) {
        ClickPrevTrack(false, nullptr);
        player.Play();
        return;
    }
    const std::optional<std::string> next = SongAfterCurrent();
    // Without another song to go to, the song ends where it ended; Loop Play repeats it.
    if (next && *next != songPath && OpenSong(*next)) {
        player.Play();
    }
}

void TMainController::KeepFocusOnMain() {
    const QWidget* active = QApplication::activeWindow();
    // Another program in front keeps its focus; modal dialogs, menus and the dialog forms keep
    // theirs.
    if (active == nullptr || active == &window || !window.isVisible() || FatalErrorBoxOpen() ||
        QApplication::activeModalWidget() != nullptr ||
        QApplication::activePopupWidget() != nullptr) {
        return;
    }
    for (const QPointer<QWidget>& dialog : DialogForms) {
        if (dialog == active) {
            return;
        }
    }
    window.activateWindow();
}

void TMainController::SongOpened() {
    RefreshDisplay();
    songKey.clear();
    if (player.IsDisc()) {
        player.VolumeSerial(songKey);
    } else {
        songKey = player.FileName;
    }
    ReleaseAllWindows();
    if (songData != nullptr && !songKey.empty()) {
        songData->LoadSongData(songKey);
    }
    RefreshDisplay();
    ShowRepeatTimes(true);
    UpdateControlVisibility();
    if (player.IsDisc() && songList != nullptr && !songList->Busy()) {
        songList->RefreshSelectedDriveEntry();
    }
}

void TMainController::SongClosed() {
    RefreshDisplay();
    // A song whose windows could not be kept keeps them open: nothing is lost.
    if (songData != nullptr && !songKey.empty()) {
        songData->SaveSongData(songKey);
    }
    ReleaseAllWindows();
    songKey.clear();
    if (songList != nullptr && !songList->Busy()) {
        songList->RefreshSelectedDriveEntry();
    }
}

void TMainController::Start() {
    events.Timer1->start(TickMilliseconds);
    SongOpened();
    if (!settings.FileName.empty()) {
        OpenSong(settings.FileName);
    }
    if (!HasMedia() || (player.IsDisc() && !settings.StopCDPlayerWhenExit)) {
        return;
    }
    player.SetTimeFormat(tfMilliseconds);
    player.SetPositionWithMethod(settings.CDPlayerPosition);
    if (settings.CDPlayerPlaying) {
        player.Play();
    }
}

void TMainController::SaveAtShutDown() {
    if (settings.StopCDPlayerWhenExit && HasMedia()) {
        player.Stop();
    }
    if (songData != nullptr && !songKey.empty()) {
        songData->SaveSongData(songKey);
    }
    ReleaseAllWindows();
    const bool playing = HasMedia() && player.GetMode() == TMPModes::mpPlaying;
    settings.CDPlayerPlaying = playing && !player.IsDisc();
    settings.CDPlayerPosition = HasMedia() ? MediaPosition() : 0;
    settings.FileName = songPath;
    events.Timer1->stop();
}

// --- the skin's bars

void TMainController::PlayingPositionScroll(int code, int position) {
    const auto trackStart = [this] {
        player.SetTimeFormat(tfMilliseconds);
        return player.TrackPosition(std::max(1, player.CurrentTrack()));
    };
    TWaveFrm* cassette = DockedCassette();
    if (code == scTrack) {
        if (cassette != nullptr) {
            ShowCurrentTime(position);
        } else if (HasMedia()) {
            ShowCurrentTime(trackStart() + position);
        }
        holding = true;
    } else if (code == scEndScroll) {
        if (cassette != nullptr) {
            cassette->HistoryPosition = position;
            PositionCassette(position);
        } else if (HasMedia()) {
            const std::int32_t time = trackStart() + position;
            MediaJump(time);
            mediaHistory = time;
        }
        holding = false;
    } else if (code >= 0 && code <= 3) {
        holding = true;
    }
}

void TMainController::PlayingPositionDblClick() {
    if (DockedCassette() != nullptr) {
        Click(cmPlay, false);
    } else if (HasMedia()) {
        if (player.GetMode() == TMPModes::mpPlaying) {
            player.Stop();
        } else {
            player.Play();
        }
    }
}

void TMainController::RepeatBarScroll(bool start, int code, int position) {
    if (code != scTrack && code != scEndScroll) {
        return;
    }
    if (TWaveFrm* cassette = DockedCassette()) {
        TWavePlayer& active = cassette->ActivePlayer();
        if (start) {
            active.SetRepeatStart(position);
        } else {
            active.SetRepeatEnd(position);
        }
        ShowRepeatTimes(false);
        return;
    }
    if (!HasMedia()) {
        return;
    }
    player.SetTimeFormat(tfMilliseconds);
    const TRepeatFrm* card = DockedCard();
    const std::int32_t time = card == nullptr ? -1 : start ? card->StartTime() : card->EndTime();
    const std::int32_t track =
        time >= 1 ? player.TrackAt(time) : std::max(1, player.CurrentTrack());
    SetCardTime(start, player.TrackPosition(std::max(1, track)) + position, false);
}
