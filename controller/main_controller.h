#pragma once

#include "audio/cda_media_player.h"
#include "cassettes/cassette_host.h"
#include "controller/main_face.h"
#include "controller/speed_trainer.h"
#include "storage/practice_settings.h"

#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <array>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QObject;
class TEventModule;
class TRealTimeAction;
class TRepeatFrm;
class TSongDataStore;
class TSongListLink;
class TSongRecordSource;
class TWaveFrm;
struct Settings;

// The controller of the whole program: it owns the song player, knows which cassette or memory
// card is docked, and turns every command into work on the song, the docked card or the docked
// cassette. Its 64 ms tick follows the song, loops a card's section, saves and loads each song's
// windows when the song changes and releases closed windows.
class TMainController : public TCassetteHost {
public:
    // What is docked decides what the commands act on.
    enum TMode { ModeNothing = 1, ModeCard = 2, ModeCassette = 3 };

    // The action codes (Tag) of the commands.
    enum TCommand {
        cmPrevTrack = 1,
        cmBack = 2,
        cmStop = 3,
        cmPause = 4,
        cmPlay = 5,
        cmStep = 6,
        cmNextTrack = 7,
        cmEject = 8,
        cmRepStartBack = 11,
        cmRepStartSet = 12,
        cmRepStartStep = 13,
        cmRepEndBack = 21,
        cmRepEndSet = 22,
        cmRepEndStep = 23,
        cmRepeatPlaySwitch = 31,
        cmAutoRec = 32,
        cmRec = 33,
        cmJumpToStartTime = 34,
        cmHistoryBack = 35,
        cmWaveSlow = 41,
        cmWaveFast = 42,
        cmExecSpeedChange = 43,
        cmRestoreSpeedChange = 44,
        cmTrash = 51,
        cmSelect = 52,
        cmEjectCassette = 53,
        cmMinimize = 61,
        cmExit = 62,
        cmConfig = 63,
        cmShowHomepage = 70,
        cmShowVornic = 71,
        cmSpeedReset = 81,
        cmTransposeUp = 82,
        cmTransposeDown = 83,
        cmCentsUp = 84,
        cmCentsDown = 85,
        cmSpeedTrainer = 86,
    };

    // The ratio is the length of a cassette's speed-changed copy in per cent of its recording:
    // higher is slower.
    static constexpr int MinRatio = 10;
    static constexpr int MaxRatio = 500;
    // What one press of a speed command changes the ratio by; held, it changes a point every
    // 16 ms once past that.
    static constexpr int RatioStep = 10;
    // What one press of a speed command changes the song's speed by in modes 1 and 2, in per
    // cent; held, it changes a point every 16 ms once past that, as the ratio does.
    static constexpr int SongSpeedStep = 5;
    // What one transpose command changes: a semitone, or ten cents.
    static constexpr int CentsStep = 10;
    static constexpr int TickMilliseconds = 64;

    // settings: the program's, read and changed here; songData and songList may be set later.
    TMainController(TMainFace& frm, TEventModule& events, Settings& settings,
                    std::string dataFolder);
    ~TMainController() override;
    TMainController(const TMainController&) = delete;
    TMainController& operator=(const TMainController&) = delete;

    // Where each song's windows are kept, and the list of songs to go back and forth in.
    void SetSongDataStore(TSongDataStore* store) { songData = store; }
    void SetSongList(TSongListLink* list) { songList = list; }

    // What the window around the controller does for the commands that are its own: Minimize,
    // Exit, Config (with the control that fired it, or none), the two web pages (with the
    // skin button's address), Select. Unset, the command does nothing.
    struct TShellCommands {
        std::function<void()> Minimize;
        std::function<void()> Exit;
        std::function<void(QWidget* control)> Config;
        std::function<void(const QString& address)> ShowHomepage;
        std::function<void()> ShowVornic;
        std::function<void()> Select;
        // The automatic recording's window: shown while the card's section records, closed
        // when it ends. Unset, the recording runs without a window.
        std::function<void()> ShowAutoRecord;
        std::function<void()> CloseAutoRecord;
    } Shell;

    // The dialog windows that may keep the focus away from the main window.
    std::vector<QPointer<QWidget>> DialogForms;

    // How the user is told things: a message box by default; tests listen instead.
    std::function<void(const QString& text, QMessageBox::Icon icon)> ShowMessage;

    // --- TCassetteHost
    QWidget* MainWindow() override;
    void BringMainToFront() override;
    bool StayOnTop() const override { return stayOnTop; }
    const Settings& GetSettings() const override { return settings; }
    std::string DataFolder() const override { return dataFolder; }
    TCDAMediaPlayer& SongPlayer() override { return player; }
    const TSkinWindowLook& WindowSkin(TQvrKind kind) const override;
    int DockSnapDistance() const override;
    TQvrBaseFrm* DockedWindow() const override { return docked; }
    void DockWindow(TQvrBaseFrm* window, bool glide) override;
    void QueueClose(TQvrBaseFrm* window) override;
    bool Closing(const TQvrBaseFrm* window) const override;
    void ChooseSaveWaveFile(std::function<void(const std::string& file)> chosen) override;
    void ShowProblem(const QString& text) override;

    // --- the four events of every command, wired by WireActions
    void WireActions();
    void Press(int tag);
    void Holding(int tag, std::int32_t milliSec);
    void Release(int tag, std::int32_t milliSec);
    // switchWasOn: a switch's state before this click flips it.
    void Click(int tag, bool switchWasOn, QObject* source = nullptr);
    // Runs a command, a tick, a scroll or a menu's choice; an error it raises ends in the one
    // error box.
    void Guarded(const std::function<void()>& work);

    // --- songs
    // The one way songs change (next and previous track, the song list, dropped files, a song
    // handed over, the end of a song, start-up): the open song's windows are saved and
    // released, path is opened (the player plays on when it played, or when play is asked)
    // and the new song's windows are loaded. Inside a change, or while a dialog of ours is
    // open, the request waits for the first tick after; a newer request replaces a waiting
    // one. True when path is now the open, ready song; false when it is missing or cannot be
    // played (the user has been told why), when the open song's windows could not be saved and
    // the user kept them, or when the request waits.
    bool ChangeSong(const std::string& path, bool play = false);
    const std::string& SongPath() const { return songPath; }
    const std::string& SongKey() const { return songKey; }
    bool SongReady() const { return songReady; }
    // Plays the open song from where it stands, as the play command does when it is stopped.
    void PlaySong();
    void MediaJump(std::int32_t time);

    // --- the main timer
    // Starts the tick, reopens the song the settings name and puts the player back where it
    // was; Save at shut-down writes that state back.
    void Start();
    void SaveAtShutDown();
    void Tick();

    // --- cassettes and cards
    TMode Mode() const;
    TWaveFrm* DockedCassette() const;
    TRepeatFrm* DockedCard() const;
    TWaveFrm* RecordingCassette() const { return recordingCassette; }
    void EjectDocked();
    // Releases the docked window now (the Trash command).
    void CloseDocked();
    // Releases every cassette and card, the docked one first undocked.
    void ReleaseAllWindows();
    // Sets one end of the docked card, making and docking a card when nothing is docked.
    void SetCardTime(bool start, std::int32_t time, bool updateBars);
    void PositionCassette(std::int32_t time);
    std::int32_t CardRepeatEnd() const { return cardRepeatEnd; }
    bool AutoRecording() const { return autoRecording; }
    // Ends the automatic recording now, as its window's Escape and CANCEL do: the cassette docks
    // and the window closes; an error ends in the error box after the window has closed.
    void StopAutoRecording();

    // --- speed
    int Ratio() const { return ratio; }
    // Clamps to 10..500; fromBar: the change comes from the ratio bar itself.
    void SetRatio(int value, bool fromBar = false);
    // The ratio bar runs from slow on its left to fast on its right, as the speed meter and the
    // slower and faster buttons around it do: its position for a ratio, and back.
    static int RatioBarPosition(int ratio) { return MinRatio + MaxRatio - ratio; }
    bool ExecuteEnabled() const { return executeEnabled; }
    int DefaultRatio() const;

    // --- practising the song (modes 1 and 2)
    // The song's speed, transpose and speed trainer, as they are kept with the song.
    const TPracticeSettings& Practice() const { return practice; }
    int SongSpeed() const { return practice.Speed; }
    // Clamps to 25..200 per cent; fromBar: the change comes from the ratio bar itself. A speed
    // the user sets ends the speed trainer's run.
    void SetSongSpeed(int percent, bool fromBar = false);
    // The transpose: semitones within an octave either way, cents within 50.
    int TransposeSemitones() const;
    int TransposeCents() const;
    void SetTranspose(int semitones, int cents);
    // What the transpose text shows: "+3 st -20 ct", the parts at 0 left out; empty at none.
    QString TransposeText() const;
    // The trainer's start speed, step per pass and target (per cent), bounded; a run going on
    // starts again with them.
    void SetTrainerOptions(int start, int step, int target);
    // On, a card looping in the song player plays each pass at the trainer's next speed.
    void SetSpeedTrainerOn(bool on);
    bool SpeedTrainerRunning() const { return trainer.Running(); }
    // The song player takes the practice settings' speed and transpose, and the engine the
    // settings choose.
    void ApplyPlaybackTempo();
    // The song at speed s per cent stands where a cassette's ratio of 10000 / s would on the
    // ratio bar and the speed meter: slow on the slow side in every mode. And back, within the
    // song's speeds.
    static int RatioOfSongSpeed(int speed);
    static int SongSpeedOfRatio(int ratio);
    // The loop range the song player has been given for the docked card; nothing when none.
    const std::optional<std::pair<std::int32_t, std::int32_t>>& SongLoop() const {
        return songLoop;
    }

    // --- display
    void RefreshDisplay();
    void UpdateControlVisibility();
    void ShowCurrentTime(std::int32_t time);
    // The two repeat texts (and bars) for what is docked.
    void ShowRepeatTimes(bool updateBars);

    // --- options the menus change
    // Records from the song or from the input device, as the settings now say, and asks the
    // source which formats it takes. A recording under way keeps its source.
    void ApplyRecordSource();
    bool LoopPlay = false;
    void SetStayOnTop(bool value) { stayOnTop = value; }
    bool Holding() const { return holding; }
    std::int32_t MediaHistoryPosition() const { return mediaHistory; }
    bool EndOfSongBlocked() const { return endOfSongBlocked; }

private:
    struct TSnapshot {
        TMPModes Mode = TMPModes::mpNotReady;
        std::int32_t Track = 0;
        bool Ready = false;
    };
    // The values a hold command captured at its press.
    enum THoldStart {
        hsBack,
        hsStep,
        hsRepStartBack,
        hsRepStartStep,
        hsRepEndBack,
        hsRepEndStep,
        hsSlow,
        hsFast,
        HoldStartCount
    };

    using TClickHandler = void (TMainController::*)(bool switchWasOn, QObject* source);
    void ClickModeShared(int tag, QObject* source);
    void ClickPrevTrack(bool, QObject*);
    void ClickStop(bool, QObject*);
    void ClickPause(bool, QObject*);
    void ClickPlay(bool, QObject*);
    void ClickNextTrack(bool, QObject*);
    void ClickEject(bool, QObject*);
    void ClickRepStartSet(bool, QObject*);
    void ClickRepEndSet(bool, QObject*);
    void ClickRepeatSwitch(bool switchWasOn, QObject*);
    void ClickAutoRec(bool, QObject*);
    void ClickJumpToStartTime(bool, QObject*);
    void ClickHistoryBack(bool, QObject*);
    void ClickExecSpeedChange(bool, QObject*);
    void ClickRestoreSpeedChange(bool, QObject*);
    void ClickTrash(bool, QObject*);
    void ClickSpeedReset(bool, QObject*);
    void ClickTransposeUp(bool, QObject*);
    void ClickTransposeDown(bool, QObject*);
    void ClickCentsUp(bool, QObject*);
    void ClickCentsDown(bool, QObject*);
    void ClickSpeedTrainer(bool, QObject*);
    TClickHandler ClickHandlerOf(TMode mode, int tag) const;

    void ReportFatal(const std::exception& error);

    bool HasMedia() const;
    std::int32_t MediaPosition();
    std::int32_t FirstPlayablePosition();
    std::int32_t CassetteLength(TWaveFrm& cassette);
    // The time shown for t: its track's time, or the cassette's.
    void ShowMediaTimeAt(TTimeText which, std::int32_t time, TSkinFunction bar, bool updateBars);
    void ShowCardTimes(bool updateBars);
    void SetBar(TSkinFunction bar, int max, int position);
    void SetGroupVisible(TSkinFunction group, bool visible);
    void RebuildSongList();
    void PreviewHold(int tag, std::int32_t milliSec);
    void ChangeRatioHeld(int tag, std::int32_t milliSec);
    void ChangeSongSpeedHeld(int tag, std::int32_t milliSec);
    // The speed, meter and label for what is docked: the cassette's ratio in mode 3, else
    // the song's speed (with the transpose text).
    void ShowSpeed(bool fromBar = false);
    void ShowRatio(bool fromBar);
    void ShowSongSpeed(bool fromBar);
    // Moves the ratio bar to position without the bar's change coming back as a new speed.
    void MoveRatioBar(int position);
    // The song plays at speed from now on; the trainer's run goes on.
    void PlaySongAt(int speed);
    // The practice settings the song comes with (or the defaults for a new song) take effect.
    void TakePractice(const TPracticeSettings& kept);
    // A docked card repeating (not recording) loops in the song player: set, moved and
    // cleared as the card, its ends and the repeat switch change; the trainer follows.
    void FollowCardLoop();
    void BeginTrainerRun();
    // What the tick does for the trainer: each new pass of the loop plays at its next speed.
    void FollowTrainer();
    void CommitHold(int tag, std::int32_t milliSec);
    std::int32_t HoldTarget(int tag, std::int32_t milliSec);
    int CassetteQuickness();

    void RepeatSwitch(bool turnOn);
    void StartRecording();
    void StopRecording();
    void StartAutoRecording();
    void FinishAutoRecording();
    // Whatever became of the recording: the flag and the watch are cleared, the section's end
    // is lifted and the window closes.
    void EndAutoRecording();
    // Recordings from the song take what it plays again, past any section's end.
    void LiftSectionEnd();
    void ExecuteSpeedChange();
    void RestoreSpeedChange();
    // Starts change on the docked cassette, unless a change of its speed runs already; the
    // change calls its second argument when it ends (TWaveFrm::StretchDone), and the cassette
    // goes on playing and repeating as before.
    using SpeedChangeDone = std::function<void(TWaveFrm&, const std::exception_ptr&)>;
    void ChangeCassetteSpeed(const std::function<void(TWaveFrm&, SpeedChangeDone)>& change);

    struct TSongRequest {
        std::string Path;
        bool Play = false;
    };
    // Runs the waiting song change unless a change runs or a dialog of ours is open.
    bool RunPendingSongChange();
    // The player side of a song change: closes the song and opens path; false when path is
    // missing or cannot be played (the user has been told).
    bool OpenSong(const std::string& path);
    // The windows belong to the song they were loaded for: when another song (or none) is
    // ready now, they are saved and released and the ready song's are loaded.
    void FollowWindowsToSong();
    // Saves the windows of the song they belong to and releases them. When the save fails the
    // user is asked once; the windows stay (and false comes back) when they go on, and nobody
    // asks again before the next song change or Exit.
    bool PutAwaySongWindows();
    void LoadSongWindows();
    // What the tick does while a song is ready: time display, card repeat, end of song.
    void FollowSong(const TSnapshot& now);
    void AdvanceAtEndOfSong();
    // The song the list goes on with, from the first after its last; nothing without a list.
    std::optional<std::string> SongAfterCurrent() const;
    void ReleaseCloseQueue();
    // After a skin was loaded: the windows' places follow its docking points and sizes.
    void PlaceWindowsForSkin();
    void KeepFocusOnMain();
    void ReleaseWindow(TQvrBaseFrm* window);
    // Hands the window to the event loop for destruction; kept until then, so that the
    // controller can destroy what is left when it goes first.
    void Retire(TQvrBaseFrm* window);

    void PlayingPositionScroll(int code, int position);
    void PlayingPositionDblClick();
    void RepeatBarScroll(bool start, int code, int position);

    TMainFace& frm;
    // The main window itself, which owns the dialogs and keeps the focus.
    QWidget& window;
    TEventModule& events;
    Settings& settings;
    std::string dataFolder;
    TCDAMediaPlayer player;
    std::unique_ptr<TSongRecordSource> recordSource;
    TSongDataStore* songData = nullptr;
    TSongListLink* songList = nullptr;

    std::string songPath;
    bool songReady = false;
    std::string songKey;
    TQvrBaseFrm* docked = nullptr;
    std::int32_t cardRepeatEnd = -1;
    bool autoRecording = false;
    TWaveFrm* recordingCassette = nullptr;
    bool endOfSongBlocked = false;
    bool holding = false;
    std::int32_t mediaHistory = 0;
    int ratio = 150;
    bool executeEnabled = false;
    // The ratio bar is being moved from here: its change is not a new speed.
    bool movingRatioBar = false;
    TPracticeSettings practice;
    TSpeedTrainer trainer;
    std::optional<std::pair<std::int32_t, std::int32_t>> songLoop;
    bool stayOnTop = false;
    std::vector<QPointer<TQvrBaseFrm>> closeQueue;
    std::vector<QPointer<TQvrBaseFrm>> retired;
    std::optional<TSongRequest> pendingSong;
    bool songChanging = false;
    // The user chose to keep the windows of a song whose save failed.
    bool saveDeclined = false;
    TSnapshot previous;
    // The song whose windows are the live ones, and whether it was ready then.
    std::string windowsSong;
    bool windowsSongReady = false;
    std::array<std::int32_t, HoldStartCount> holdStart{};
};
