#pragma once

#include "media_player.h"

#include <cstdint>
#include <string>
#include <vector>

// The song player as the program drives it: CD drives and their tracks, a temporarily switched
// time format, positions mapped to tracks, repositioning while playing in one of three ways
// (drives differ in how they take a seek during playback), and the disc's identity.
class TCDAMediaPlayer : public TMediaPlayer {
public:
    TCDAMediaPlayer();

    // 0 nothing special, 1 pause before positioning, 2 stop before positioning.
    std::uint8_t PositioningMethod = 0;
    // The CD drives: device paths, then the disc images of QUAVREL_CD_DRIVES.
    std::vector<std::string> DriveList;
    bool TimeFormatSaved = false;
    TMPTimeFormats SavedTimeFormat = tfMilliseconds;

    bool IsOpen() const { return DeviceID() != 0; }
    void CheckOpen() const;
    bool IsReady() const;
    void SetPositioningMethod(std::uint8_t method) { PositioningMethod = method; }
    void SaveTimeFormat();
    void RestoreTimeFormat();
    // The track at ms and the offset into it; before the first track, track 0 and offset ms.
    void PositionToTrack(std::int32_t ms, std::int32_t& track, std::int32_t& offset);
    // Seeks, and plays on when the song was playing.
    void SetPositionWithMethod(std::int32_t position);
    void Next();
    void Previous();
    // Closes an open tray where the drive can, otherwise opens it.
    void Eject() override;
    void PauseAndStop();
    void RefreshDrives();
    // The disc's serial as 8 hexadecimal digits; empty when the disc cannot be read.
    void VolumeSerial(std::string& text);
    // The last track starting at or before ms; 0 before the first track, past the end, or while
    // the disc cannot tell its tracks yet.
    std::int32_t TrackAt(std::int32_t ms);
    std::int32_t CurrentTrack();
    void GoToTrack(std::int32_t track);
    // 0 when not ready, -1 when the count stays unreadable after reopening the device.
    std::int32_t TrackCount();
    std::int32_t TrackOrMediaLength(std::int32_t track);
    TMPModes GetMode() const { return Mode(); }

private:
    // Runs command in the time format given and restores the caller's afterwards.
    template <typename Command> auto InTimeFormat(TMPTimeFormats format, Command command);
};
