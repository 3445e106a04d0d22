#include "cda_media_player.h"

#include "volume_serial.h"

TCDAMediaPlayer::TCDAMediaPlayer() {
    RefreshDrives();
}

void TCDAMediaPlayer::CheckOpen() const {
    if (!IsOpen()) {
        throw EMCIDeviceError("Device is not opened");
    }
}

bool TCDAMediaPlayer::IsReady() const {
    const TMPModes mode = Mode();
    return IsOpen() && mode != TMPModes::mpNotReady && mode != TMPModes::mpOpen;
}

void TCDAMediaPlayer::SaveTimeFormat() {
    if (TimeFormatSaved) {
        throw Exception("Time format has already been preserved.");
    }
    SavedTimeFormat = TimeFormat();
    TimeFormatSaved = true;
}

void TCDAMediaPlayer::RestoreTimeFormat() {
    if (!TimeFormatSaved) {
        throw Exception("Time format has not been preserved yet.");
    }
    TimeFormatSaved = false;
    SetTimeFormat(SavedTimeFormat);
}

template <typename Command>
auto TCDAMediaPlayer::InTimeFormat(TMPTimeFormats format, Command command) {
    SaveTimeFormat();
    try {
        SetTimeFormat(format);
        if constexpr (std::is_void_v<decltype(command())>) {
            command();
            RestoreTimeFormat();
        } else {
            auto result = command();
            RestoreTimeFormat();
            return result;
        }
    } catch (...) {
        if (TimeFormatSaved) {
            TimeFormatSaved = false;
            if (IsOpen()) {
                SetTimeFormat(SavedTimeFormat);
            }
        }
        throw;
    }
}

void TCDAMediaPlayer::PositionToTrack(std::int32_t ms, std::int32_t& track, std::int32_t& offset) {
    InTimeFormat(tfMilliseconds, [&] {
        track = TrackAt(ms);
        offset = track == 0 ? ms : ms - TrackPosition(track);
    });
}

void TCDAMediaPlayer::SetPositionWithMethod(std::int32_t position) {
    const TMPModes mode = Mode();
    if (IsDisc()) {
        if (PositioningMethod == 1) {
            Pause();
        } else if (PositioningMethod == 2) {
            PauseAndStop();
        }
    }
    SetPosition(position);
    if (mode == TMPModes::mpPlaying) {
        Play();
    }
}

void TCDAMediaPlayer::Next() {
    InTimeFormat(tfTMSF, [this] { TMediaPlayer::Next(); });
}

void TCDAMediaPlayer::Previous() {
    InTimeFormat(tfTMSF, [this] { TMediaPlayer::Previous(); });
}

void TCDAMediaPlayer::Eject() {
    if (IsDisc() && Mode() == TMPModes::mpOpen) {
        CheckOpen();
        if (CanEject()) {
            CloseDoor();
        }
        return;
    }
    TMediaPlayer::Eject();
}

void TCDAMediaPlayer::PauseAndStop() {
    Pause();
    Stop();
}

void TCDAMediaPlayer::RefreshDrives() {
    DriveList = CdDrive::List();
}

void TCDAMediaPlayer::VolumeSerial(std::string& text) {
    text.clear();
    if (!IsDisc() || !IsReady()) {
        return;
    }
    text = CdVolumeSerialText(Toc());
}

std::int32_t TCDAMediaPlayer::TrackAt(std::int32_t ms) {
    // Disc positions start at the first track's address, so a position is compared with the
    // end of the disc, not with its length (which would lose the last two seconds).
    if (EndPosition() < ms) {
        return 0;
    }
    std::int32_t track = TrackCount();
    // A disc that is still spinning up reports nonsense for a while: no track until it settles,
    // and the callers, who ask on every tick, ask again at the next one (waiting here would
    // hold the GUI thread).
    if (track < 0 || track > 1000) {
        return 0;
    }
    while (track > 0 && ms < TrackPosition(track)) {
        --track;
    }
    return track;
}

std::int32_t TCDAMediaPlayer::CurrentTrack() {
    if (!IsDisc()) {
        return 1;
    }
    return InTimeFormat(tfTMSF, [this] { return GetPosition() & 0xFF; });
}

void TCDAMediaPlayer::GoToTrack(std::int32_t track) {
    if (!IsDisc()) {
        return;
    }
    InTimeFormat(tfTMSF, [this, track] { SetPositionWithMethod(track); });
}

std::int32_t TCDAMediaPlayer::TrackCount() {
    if (!IsReady()) {
        return 0;
    }
    try {
        return Tracks();
    } catch (const EMCIDeviceError&) {
        try {
            Close();
            Open();
            return Tracks();
        } catch (const EMCIDeviceError&) {
            return -1;
        }
    }
}

std::int32_t TCDAMediaPlayer::TrackOrMediaLength(std::int32_t track) {
    return IsDisc() ? TrackLength(track) : Length();
}
