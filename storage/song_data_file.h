#pragma once

#include "platform/file_stream.h"
#include "storage/practice_settings.h"

#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// The song data file of the data folder.
inline constexpr const char* SongDataFileName = "quavrel_data.ini";

// The section a song's data is kept under: the part of its key after the last "/" or "\"
// (a media file's name; an audio CD's key is its volume serial, which has no folder), so
// that the same file opened from another folder finds its cassettes and cards.
QString SongName(const std::string& songKey);

// The largest numbers a record holds, whatever the file says: screen positions, window
// creation indexes, and times in milliseconds (a hundred hours, longer than any song or
// recording, and five times it, the slowest speed change, still fits in 32 bits).
inline constexpr int LargestPosition = 32767;
inline constexpr int LargestCreateIndex = 1000000;
inline constexpr int LargestTime = 100 * 3600 * 1000;

// One cassette of a song: its recording and where it stood. Times of the recording and the
// song's recording times are milliseconds, -1 where unset.
struct TCassetteRecord {
    // The recording: at a save the cassette's own file, which is copied; at a load the copy
    // in the data folder (which exists).
    std::string Recording;
    int Left = 0;
    int Top = 0;
    QString Title;
    bool Grabbed = false;
    int CreateIndex = -1;
    // The cassette's repeat section; absent in the file, the player's own stays.
    std::optional<int> RepeatStart;
    std::optional<int> RepeatEnd;
    int RepeatStartTimeOnFile = -1;
    int RepeatStopTimeOnFile = -1;
};

// One memory card of a song: its repeat section (song times, -1 where unset).
struct TCardRecord {
    int Left = 0;
    int Top = 0;
    QString Title;
    int StartTime = -1;
    int EndTime = -1;
    bool Grabbed = false;
    int CreateIndex = -1;
};

// A song's section, cassettes first, then how the song was practised ("Practice.Speed" and
// the other keys of TPracticeSettings); nothing when the section never had them.
struct TSongRecords {
    std::vector<TCassetteRecord> Cassettes;
    std::vector<TCardRecord> Cards;
    std::optional<TPracticeSettings> Practice;
};

// Called with each recording's copy and then with the data folder before the song data that
// names them is written.
using TFlushToDisk = std::function<void(const std::string& path)>;

// Writes the song's section of "quavrel_data.ini" in dataFolder and saves the file (songKey
// not empty). Each recording is copied to a new "SaveData - NAME - n.wav" beside it, which
// the section names and the next load opens in place; the copies are on the disk before the
// file names them. When a copy or the file cannot be written the copies of this save are
// removed again and the error passes on: the file keeps the song's previous data.
void SaveSongRecords(const std::string& dataFolder, const std::string& songKey,
                     const TSongRecords& records,
                     const TFlushToDisk& flush = FileStream::FlushToDisk);

// The records kept for the song, nothing for a song never saved. A section under the full
// key, as older versions named them, is read when there is none under the name, and erased
// once the name's own has been read (a key that is its own name, an audio CD's, is never
// erased). Cassettes whose recording is not in the data folder are left out; every number is
// brought within the bounds above, and counts to the lines of the section.
std::optional<TSongRecords> LoadSongRecords(const std::string& dataFolder,
                                            const std::string& songKey);
