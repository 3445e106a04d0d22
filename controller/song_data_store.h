#pragma once

#include "storage/practice_settings.h"

#include <optional>
#include <string>

// Where each song's cassettes and memory cards are kept while the song is not open. The
// controller saves the live windows when a song closes and loads them back when it is ready
// again; the store makes and places the windows through the cassette host it was given.
class TSongDataStore {
public:
    virtual ~TSongDataStore() = default;

    // Keeps every live cassette and card under songKey (never empty): copies of the recordings
    // (a stretched cassette is restored first), positions, titles, repeat sections, creation
    // order and which one is docked, and how the song is practised. The live windows stay; the
    // caller releases them.
    virtual void SaveSongData(const std::string& songKey, const TPracticeSettings& practice) = 0;
    // Makes the windows kept under songKey, docks the one that was docked and orders the window
    // list by creation index; the song's practice settings come back, nothing when none were
    // kept. Nothing happens for a song never saved.
    virtual std::optional<TPracticeSettings> LoadSongData(const std::string& songKey) = 0;
};
