// The song: opening it, following it every 64 ms, keeping its windows, starting and ending.
#include "actions/dialog_state.h"
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
#include <QFile>
#include <QScopeGuard>
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

bool TMainController::ChangeSong(const std::string& path, bool play) {
    pendingSong = TSongRequest{path, play};
    return RunPendingSongChange();
}

bool TMainController::RunPendingSongChange() {
    if (!pendingSong || songChanging || DialogOfOursOpen()) {
        return false;
    }
    const TSongRequest request = *std::exchange(pendingSong, std::nullopt);
    songChanging = true;
    const auto changed = qScopeGuard([this] { songChanging = false; });
    const std::string song = Trimmed(request.Path);
    const bool same = HasMedia() && !songPath.empty() && song == songPath;
    // A song change asks again about windows whose save failed before.
    saveDeclined = false;
    if (!same && !PutAwaySongWindows()) {
        return false;
    }
    const bool opened = same || OpenSong(song);
    FollowWindowsToSong();
    if (opened && request.Play && player.GetMode() != TMPModes::mpPlaying) {
        player.Play();
    }
    RefreshDisplay();
    return opened;
}

bool TMainController::OpenSong(const std::string& song) {
    const auto& drives = player.DriveList;
    const bool drive = std::find(drives.begin(), drives.end(), song) != drives.end();
    const bool wasPlaying = HasMedia() && player.GetMode() == TMPModes::mpPlaying;
    if (player.IsOpen()) {
        player.Stop();
    }
    player.Close();
    // Closing the song ended its loop.
    songLoop.reset();
    songReady = false;
    songPath.clear();
    mediaHistory = 0;
    std::error_code error;
    if (!drive && !std::filesystem::exists(song, error)) {
        ShowMessage(FormatMessage(SFileNotFound, {QFile::decodeName(song.c_str())}),
                    QMessageBox::Critical);
        return false;
    }
    player.DeviceType = drive ? TMPDeviceTypes::dtCDAudio : TMPDeviceTypes::dtAutoSelect;
    player.FileName = song;
    try {
        player.Open();
    } catch (const EMCIDeviceError& failure) {
        ShowMessage((drive ? SCouldNotPlayCD : SCouldNotPlayFile) + QStringLiteral("\n\n") +
                        QString::fromStdString(failure.what()),
                    QMessageBox::Warning);
        return false;
    }
    player.SetTimeFormat(tfMilliseconds);
    // A new song may be heard to its end again.
    endOfSongBlocked = false;
    // A drive without a disc is open but not ready: nothing to play yet.
    if (wasPlaying && HasMedia()) {
        player.Play();
    }
    songPath = song;
    songReady = true;
    return true;
}

void TMainController::Tick() {
    try {
        TSnapshot now;
        now.Ready = HasMedia();
        now.Mode = player.GetMode();
        now.Track = now.Ready ? player.CurrentTrack() : 0;
        // While a dialog of ours is open it may be about to act on a window or the song: songs
        // change, windows go and saves run after it closes.
        const bool dialogOpen = DialogOfOursOpen();
        if (!dialogOpen && !songChanging) {
            RunPendingSongChange();
            FollowWindowsToSong();
        }
        if (now.Ready && windowsSongReady) {
            FollowSong(now);
        }
        previous = now;
        if (!DialogOfOursOpen()) {
            ReleaseCloseQueue();
        }
    } catch (const std::exception& error) {
        ReportFatal(error);
    }
}

void TMainController::FollowWindowsToSong() {
    const bool ready = HasMedia();
    const std::string readySong = ready ? player.FileName : std::string();
    if (readySong == windowsSong && ready == windowsSongReady) {
        return;
    }
    // A disc taken out and put back finds its windows still open when the user kept them.
    if (saveDeclined || !PutAwaySongWindows()) {
        return;
    }
    windowsSong = readySong;
    windowsSongReady = ready;
    if (ready) {
        LoadSongWindows();
    }
}

bool TMainController::PutAwaySongWindows() {
    RefreshDisplay();
    if (windowsSongReady && songData != nullptr && !songKey.empty()) {
        try {
            songData->SaveSongData(songKey, practice);
        } catch (const std::exception& error) {
            // The windows stay: the user may free the disk and go on; the next song change or
            // Exit tries again.
            saveDeclined = true;
            ReportFatal(error);
            return false;
        }
    }
    ReleaseAllWindows();
    songKey.clear();
    windowsSong.clear();
    windowsSongReady = false;
    if (songList != nullptr && !songList->Busy()) {
        songList->RefreshSelectedDriveEntry();
    }
    return true;
}

void TMainController::FollowSong(const TSnapshot& now) {
    const std::int32_t position = MediaPosition();
    if (!holding) {
        // A docked cassette shows where it plays, not where the song it came from stands.
        TWaveFrm* cassette = DockedCassette();
        ShowCurrentTime(cassette != nullptr ? cassette->ActivePlayer().GetPosition() : position);
    }
    FollowCardLoop();
    FollowTrainer();
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
    if (next && *next != songPath) {
        ChangeSong(*next, true);
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

void TMainController::LoadSongWindows() {
    RefreshDisplay();
    songKey.clear();
    if (player.IsDisc()) {
        player.VolumeSerial(songKey);
    } else {
        songKey = player.FileName;
    }
    std::optional<TPracticeSettings> kept;
    if (songData != nullptr && !songKey.empty()) {
        kept = songData->LoadSongData(songKey);
    }
    // A song never practised before starts as the settings say.
    TakePractice(kept.value_or(settings.Practice));
    RefreshDisplay();
    ShowRepeatTimes(true);
    UpdateControlVisibility();
    if (player.IsDisc() && songList != nullptr && !songList->Busy()) {
        songList->RefreshSelectedDriveEntry();
    }
}

void TMainController::Start() {
    events.Timer1->start(TickMilliseconds);
    RefreshDisplay();
    if (!settings.FileName.empty()) {
        ChangeSong(settings.FileName);
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
    // A recording still running ends as its Stop or its key's release would end it: the
    // cassette kept has its length and where the song stood, and is docked.
    if (autoRecording) {
        FinishAutoRecording();
    } else if (recordingCassette != nullptr) {
        StopRecording();
    }
    if (settings.StopCDPlayerWhenExit && HasMedia()) {
        player.Stop();
    }
    // Exit asks again about windows whose save failed before.
    saveDeclined = false;
    if (windowsSongReady && songData != nullptr && !songKey.empty()) {
        songData->SaveSongData(songKey, practice);
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
