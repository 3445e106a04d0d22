#pragma once

#include "double_buffering_player.h"
#include "platform/cd_drive.h"
#include "platform/exception.h"
#include "platform/pcm_source.h"
#include "playback_tempo.h"
#include "song_renderer.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Errors of the song player; the text says what went wrong.
class EMCIDeviceError : public Exception {
public:
    using Exception::Exception;
};

enum class TMPDeviceTypes { dtAutoSelect, dtCDAudio, dtWaveAudio, dtVideo };

enum class TMPModes { mpNotReady, mpStopped, mpPlaying, mpRecording, mpSeeking, mpPaused, mpOpen };

// Positions are milliseconds, or for discs tracks-minutes-seconds-frames packed into one value
// (track in the low byte, then minutes, seconds and 1/75 s frames).
using TMPTimeFormats = std::uint32_t;
inline constexpr TMPTimeFormats tfMilliseconds = 0;
inline constexpr TMPTimeFormats tfTMSF = 10;

// Follows what the song player plays, for recording it. Positions count the bytes handed to the
// output device since the player was made, across songs, seeks and stops.
class TSongListener {
public:
    virtual ~TSongListener() = default;
    // The next bytes handed to the output device, starting at `start`.
    virtual void SongFilled(std::int64_t start, const std::uint8_t* data, std::int32_t bytes,
                            const WaveDeviceFormat& format) = 0;
    // Everything handed over after `heard` was dropped unheard: the song stopped or moved.
    virtual void SongDropped(std::int64_t heard) = 0;
};

// The song player: a media file decoded by FFmpeg, or an audio CD (a drive or a .cue image),
// played through the default wave output device. Everything runs on the GUI thread.
//
// Disc positions in milliseconds are absolute disc addresses: the first track usually starts at
// 2000 ms, 00:02:00 on the disc.
class TMediaPlayer {
public:
    TMediaPlayer();
    virtual ~TMediaPlayer();
    TMediaPlayer(const TMediaPlayer&) = delete;
    TMediaPlayer& operator=(const TMediaPlayer&) = delete;

    TMPDeviceTypes DeviceType = TMPDeviceTypes::dtAutoSelect;
    // The song: a media file, a CD drive's device path or a .cue image.
    std::string FileName;
    // Play at the end of the song starts again from its beginning.
    bool AutoRewind = true;

    // Opens FileName: as an audio CD for the CD audio type, and with automatic selection for a
    // .cue image or a block device; anything else as a media file.
    virtual void Open();
    void Close();
    virtual void Play();
    virtual void Stop();
    // Pauses a playing song and resumes a paused one.
    virtual void Pause();
    // Seeking stops a playing song, as it stops a disc.
    virtual void SetPosition(std::int32_t position);
    std::int32_t GetPosition() const;
    // The position of the song's end; on a disc the length plus where the first track starts.
    std::int32_t EndPosition() const;
    // The start of the next track (the end of a media file); a playing song plays on.
    void Next();
    // The start of the current track, or of the previous one within its first second.
    void Previous();
    // Opens the tray; a media file has none.
    virtual void Eject();
    // Closes an open tray and reads the disc again.
    void CloseDoor();

    std::uint32_t DeviceID() const { return deviceId; }
    TMPModes Mode() const;
    // Whether the open song is an audio CD (a drive or an image).
    bool IsDisc() const { return drive != nullptr; }
    bool CanEject() const { return drive != nullptr; }
    TMPTimeFormats TimeFormat() const { return timeFormat; }
    void SetTimeFormat(TMPTimeFormats format);
    // In the time format; tracks-minutes-seconds-frames lengths carry no track byte.
    std::int32_t Length() const;
    std::int32_t Tracks() const;
    std::int32_t TrackPosition(std::int32_t track) const;
    std::int32_t TrackLength(std::int32_t track) const;
    // 0 when the last command succeeded, else 1; ErrorMessage tells what went wrong.
    std::int32_t Error() const { return lastError.empty() ? 0 : 1; }
    const std::string& ErrorMessage() const { return lastError; }

    // A reader of the song's sound of its own, at the song's own rate, and the disc frame (in
    // that rate) where the reader's frame 0 lies: 0 for media files.
    std::unique_ptr<PcmSource> NewReader() const;
    std::int64_t OriginFrame() const;

    // The bytes heard so far, counted as TSongListener counts them.
    std::int64_t HeardBytes() const;
    // The bytes handed to the output device while the song plays from `fromMs` to `toMs`
    // (milliseconds whatever the time format): both fall on the frame SetPosition puts them
    // on, rounded down, and the frame of `toMs` is not played. 0 when `toMs` is not after.
    std::int64_t SectionBytes(std::int32_t fromMs, std::int32_t toMs) const;
    TSongListener* Listener = nullptr;

    // How the song is heard from now on; a playing song changes within 150 ms. Positions, heard
    // bytes and what the listener gets stay in the song's own time and sound. A song playing
    // plainly starts again where it is heard to take a tempo that is not neutral, and fails as
    // Play does when the output cannot start again.
    void SetTempo(const TPlaybackTempo& tempo);
    const TPlaybackTempo& Tempo() const { return tempo; }
    // A loop range in milliseconds (absolute disc milliseconds on a disc, as positions are).
    // While set, a song playing from before endMs wraps at endMs to startMs, sample-exact, at
    // any tempo; a song positioned past endMs, or a loop shorter than 100 ms, plays on (the caller
    // brings it back). Cleared by ClearLoop, Close and Open.
    void SetLoop(std::int32_t startMs, std::int32_t endMs);
    void ClearLoop();
    // How many times the heard sound has wrapped from the loop's end to its start since Open.
    std::int64_t LoopPasses() const;

protected:
    // The disc's table of contents, read when first needed.
    const CdToc& Toc() const;

private:
    struct TrackSpan {
        std::int32_t number;
        std::int64_t start; // absolute frame
        std::int64_t frames;
    };

    template <typename Command> auto Run(Command command) const;
    void CheckOpened() const;
    void LoadMedium() const;
    std::vector<TrackSpan> Spans() const;
    TrackSpan SpanOf(std::int32_t track) const;
    std::int64_t CurrentFrame() const;
    std::int32_t PositionAt(std::int64_t absoluteFrame) const;
    std::int64_t FrameOf(std::int32_t position) const;
    std::int64_t FrameOfMilliseconds(std::int32_t ms) const;
    std::int32_t DurationOf(std::int64_t frames) const;
    std::int32_t Milliseconds(std::int64_t absoluteFrame) const;
    void Halt();
    void SeekTo(std::int64_t target, bool playOn);
    void StartOutput();
    void DropUnheard(std::int64_t heard);
    void Fill(std::uint8_t* data, std::int32_t& bytes);
    std::int64_t PlayedFrames() const;
    void LoopRenderer();

    std::uint32_t deviceId = 0;
    TMPTimeFormats timeFormat = tfMilliseconds;
    TMPModes state = TMPModes::mpNotReady;
    std::shared_ptr<CdDrive> drive;
    mutable std::unique_ptr<PcmSource> source;
    mutable CdToc toc;
    // Absolute frame of the source's frame 0: the first track's disc address on a CD.
    mutable std::int64_t originFrame = 0;
    std::int64_t frame = 0;
    std::int64_t heardBytes = 0;  // by the runs before the current one
    std::int64_t filledBytes = 0; // handed to the output device
    mutable std::string lastError;
    std::unique_ptr<TDoubleBufferingPlayer> output;
    // The run's sound; it maps what the output device played back to the song.
    std::unique_ptr<TSongRenderer> renderer;
    TPlaybackTempo tempo;
    std::int32_t loopStartMs = 0;
    std::int32_t loopEndMs = -1; // none
    std::int64_t loopPasses = 0; // by the runs before the current one
};
