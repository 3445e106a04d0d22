#pragma once

#include "audio/record_source.h"
#include "audio/stretch_engine.h"
#include "storage/practice_settings.h"

#include <string>

// One font the user chose, as stored in a "Font.*" section.
struct FontSetting {
    std::string Name;
    int Charset = 0;
    int Color = 0x505050;
    int Size = 9;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;

    bool operator==(const FontSetting&) const = default;
};

// Everything the user chooses that outlives a run. The program owns one, loads it at start-up,
// hands it by reference to whoever needs an option and saves it at shut-down; nothing keeps
// options in process-wide variables. Members are named by the keys they are stored under.
struct Settings {
    // "Application"
    // Index into the supported recording formats; -1 until stored: the last (best) one.
    int WaveFormatIdx = -1;
    bool CheckDisuseFile = true;
    int RecordSource = RecordSourceSong;
    int StretchEngine = StretchEngineDescribed;
    // The engine that changes the song's speed and pitch while it plays: 0 the finer one, 1
    // the faster one with its short window, which needs less of the processor.
    int PlaybackEngine = 0;

    // "MainFrm"
    int Top = 32;
    int Left = 80;
    std::string FileName;
    bool JumpToStartWhenSwitchOn = true;
    bool StopCDPlayerWhenExit = true;
    int MainFrmSearchSpeed = 10;
    bool AddToTreeWhenDroped = false;
    bool LinearStretch = false;
    // Positioning method of the song player: 0 nothing special, 1 pause, 2 stop first.
    int PosChangeType = 2;
    bool CheckMinimizeKeyWhileInactive = false;
    int MainFrmRightClicked = 1;
    int MainFrmDoubleClicked = 2;
    int WaveFrmDoubleClicked = 1;
    bool AutoStartRepeating = false;
    bool CDPlayerPlaying = false;
    int CDPlayerPosition = 0;
    bool CassettesVisible = true;
    int HintType = 2;

    // "Practice": what a song never practised before starts with.
    TPracticeSettings Practice;

    // "Skin"
    std::string SkinName = "sky";

    // "Font.MainfrmTitle", "Font.MainfrmTime", "Font.Wavefrm", "Font.Repeatfrm"
    FontSetting MainfrmTitleFont;
    FontSetting MainfrmTimeFont;
    FontSetting WavefrmFont;
    FontSetting RepeatfrmFont;

    // Not stored: the language chosen on the command line ("" for the default file).
    std::string LanguageCode;

    bool operator==(const Settings&) const = default;
};

// The settings of a first run: fonts follow the language (Japanese faces for "jap").
Settings DefaultSettings(const std::string& languageCode);
