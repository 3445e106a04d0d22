#pragma once

#include "controller/song_data_store.h"

#include <QString>
#include <string>

class ProfileFile;
class TCassetteHost;

// The song data file of the data folder.
inline constexpr const char* SongDataFileName = "quavrel_data.ini";

// The section a song's data is kept under: the part of its key after the last "/" or "\"
// (a media file's name; an audio CD's key is its volume serial, which has no folder), so
// that the same file opened from another folder finds its cassettes and cards.
QString SongName(const std::string& songKey);

// Keeps each song's cassettes and memory cards in "quavrel_data.ini" of the host's data
// folder, one section per song, and their recordings as "SaveData - NAME - n.wav" beside it.
// The file is read afresh at every load and written at every save.
class TSongDataFile : public TSongDataStore {
public:
    explicit TSongDataFile(TCassetteHost& host);

    // Writes the section of the song's name and saves the file. A stretched cassette is
    // restored first; each recording is copied to a new "SaveData" file that the next load
    // opens in place. When a copy or the file cannot be written the copies of this save are
    // removed again and the error passes on (the file keeps the song's previous data, whose
    // recordings the caller must then not release).
    void SaveSongData(const std::string& songKey) override;
    // Loads the section of the song's name; a section under the full key, as older versions
    // named them, is loaded when there is none under the name and erased once the name's own
    // section has been loaded (a key that is its own name, an audio CD's, is never erased).
    void LoadSongData(const std::string& songKey) override;

    // Makes the windows kept in one section; false when the section holds neither count.
    // Entries whose recording is gone or unreadable are skipped.
    bool LoadSection(const ProfileFile& file, const QString& section);

    std::string FilePath() const;

private:
    TCassetteHost& host;
};
