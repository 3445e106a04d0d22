#pragma once

#include "audio/pcm_wave_format.h"
#include "cassettes/qvr_base_frm.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>

class TWavePlayer;
struct JobOutcome;

// The factor by which a speed change lengthens a recording: ratio / 100, or in the semitone
// ("linear") mode 2^(s/12) for the ratio's step count s.
double StretchFactor(int ratio, bool linear);

// A cassette: one recording in a WAVE file of its own, played by its main player, or by a
// second player on a speed-changed copy while there is one (the active player). Times are
// milliseconds of the recording, except the two recording times, which are song (media) times.
class TWaveFrm : public TQvrBaseFrm {
public:
    // Titled "Recorded Data %d"; records in the format the settings choose.
    explicit TWaveFrm(TCassetteHost& host);
    // Drops the speed-changed copy, closes the recording and deletes its file.
    ~TWaveFrm() override;

    TQvrKind Kind() const override { return TQvrKind::Cassette; }
    void MenuItemClick(int tag) override;

    // Records into a new file "tmp<n>.wav" of the data folder; the cassette is a fresh one.
    void StartRecording();
    // Ends the recording and opens it for playing.
    void StopRecording();
    // Plays the existing WAVE file name, which becomes the cassette's own: it is deleted with
    // the cassette.
    void OpenFile(const std::string& name);
    const std::string& FileName() const { return fileName; }
    // The recording stays on disk when the cassette goes (a leftover the next start offers to
    // delete): for an exit whose save of the song's data failed.
    void KeepRecordingFile() { keepFile = true; }

    TWavePlayer& MainPlayer() { return *mainPlayer; }
    // The player that every position, repeat, play and stop operation goes to.
    TWavePlayer& ActivePlayer();
    bool IsStretched() const { return stretchedPlayer != nullptr; }
    // The ratio of the speed-changed copy, 1 without one.
    int StretchRatio() const { return stretchRatio; }
    bool LinearStretch() const { return linear; }

    // How a speed change ended, told on the GUI thread: error is null when the cassette plays
    // the copy now or when the change was cancelled, else what made it fail. Cancelled or
    // failed, the cassette is as it was and no copy is left.
    using StretchDone = std::function<void(TWaveFrm& cassette, const std::exception_ptr& error)>;
    // Starts making a speed-changed copy at ratio (10..500) on a worker thread and returns. The
    // main window stays disabled and a progress window with a Cancel button shows until the
    // copy is made; then the cassette plays it from now on, positions moved with the factor,
    // and done is called. Raises only when the change cannot start; does nothing while one runs.
    // A cassette released while its change runs cancels it and hears nothing more of it.
    void ExecuteStretch(int ratio, StretchDone done);
    bool SpeedChangeRunning() const { return stretchRun != nullptr; }
    // Drops the copy and goes back to the recording; positions move back.
    void RestoreStretch();
    // How finely positioning moves in this cassette: 0.1 under 1.5 s, 0.25 under 3 s, else 1.
    double StepFactor();
    // Copies the recording (never the speed-changed copy) to name; false when name exists.
    bool CopyFileTo(const std::string& name) const;
    // Copies what the cassette plays to a file the user picks, replacing it when the user
    // agreed to; a failure is shown in a message box and leaves the file as it was.
    void Save();
    void SaveTo(const std::string& name);

    PcmWaveFormat RecordFormat;
    // Cassette time of the last positioning jump.
    std::int32_t HistoryPosition = 0;
    // Song times at which the recording began and ended; -1 when not recorded from the song.
    std::int32_t RepeatStartTimeOnFile = -1;
    std::int32_t RepeatStopTimeOnFile = -1;

private:
    struct StretchRun;

    void FinishStretch(const JobOutcome& outcome);
    void SwitchToStretched(const std::string& copy, int ratio, bool linearMode, double factor);
    void DiscardStretch();

    std::unique_ptr<TWavePlayer> mainPlayer;
    std::unique_ptr<TWavePlayer> stretchedPlayer;
    std::string fileName;
    int stretchRatio = 1;
    bool linear = false;
    bool keepFile = false;
    std::unique_ptr<StretchRun> stretchRun;
};
