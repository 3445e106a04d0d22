#pragma once

#include "controller/song_data_store.h"

#include <string>

class TCassetteHost;

// Keeps each song's cassettes and memory cards through the song data file of the host's data
// folder (storage/song_data_file.h): the live windows become records at a save, and records
// become windows at a load, placed on the screens whatever position the file holds.
class TSongWindows : public TSongDataStore {
public:
    explicit TSongWindows(TCassetteHost& host);

    // A stretched cassette is restored first; a cassette whose recording never started is
    // not kept. When the save fails the error passes on and the file keeps the song's
    // previous data, whose recordings the caller must then not release.
    void SaveSongData(const std::string& songKey, const TPracticeSettings& practice) override;
    // Cassettes whose recording is gone or unreadable are skipped. Recordings kept unsaved
    // for the song (storage/unsaved_recordings.h) come back after them as cassettes of their
    // own, which the song's next save keeps with the rest.
    std::optional<TPracticeSettings> LoadSongData(const std::string& songKey) override;

private:
    TCassetteHost& host;
};

// At an exit whose save of the song's data failed: every live cassette's recording stays on
// disk as a recording kept unsaved for songKey, which the next start never offers to delete
// and which comes back when the song is opened again.
void KeepUnsavedRecordings(TCassetteHost& host, const std::string& songKey);
