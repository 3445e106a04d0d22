#pragma once

#include "tests/support/temp_dir.h"
#include "tests/support/wave_fixture.h"

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QStringList>

// The saved copies of recordings in the data folder, by name.
inline QStringList SavedCopies(const TempDir& data) {
    return QDir(QString::fromStdString(data.Path()))
        .entryList({"SaveData - *.wav"}, QDir::Files, QDir::Name);
}

// Writes the data folder's song data file as given, as another program (or a damaged disk) may
// have left it.
inline void WriteSongData(const TempDir& data, const QByteArray& bytes) {
    WriteFile(data.File("quavrel_data.ini"), Bytes(bytes.begin(), bytes.end()));
}

// The name of the recording that WindowsSongData names at a Windows path: a copy of that name in
// the data folder is what it loads.
inline constexpr const char* WindowsSongDataRecording = "SaveData - song - 77.wav";

// A song data file as the Windows program writes it: CRLF lines, the section of the song
// "song.mp3" named in capitals, a recording at a Windows path, a card with both the old and the
// new title key, one with little more than its index, and a key beyond the count.
inline constexpr const char* WindowsSongData =
    "[Other.mp3]\r\n"
    "WaveFrmCount=0\r\n"
    "[SONG.MP3]\r\n"
    "WaveFrmCount=1\r\n"
    "WaveFrm0.Left=10\r\n"
    "WaveFrm0.Top=20\r\n"
    "WaveFrm0.WaveFile=C:\\Documents and Settings\\me\\Quavrel\\SaveData - song - 77.wav\r\n"
    "WaveFrm0.Name=Old title\r\n"
    "WaveFrm0.CreateIndex=-1\r\n"
    "RepeatFrmCount=2\r\n"
    "RepeatFrm0.Name=Old card\r\n"
    "RepeatFrm0.Text=New card\r\n"
    "RepeatFrm0.StartTime=100\r\n"
    "RepeatFrm0.EndTime=900\r\n"
    "RepeatFrm1.CreateIndex=7\r\n"
    "RepeatFrm5.Text=beyond the count\r\n";
