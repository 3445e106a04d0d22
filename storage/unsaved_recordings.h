#pragma once

#include <string>
#include <vector>

// Recordings whose song's data could not be saved when the program ended, kept in the data
// folder as "Unsaved - NAME - n.wav" (NAME the song's name, as its section is named) until
// that song is opened again. They are never leftover files.

// Keeps the recording of a cassette of the song: a recording of its own ("tmp<n>.wav") takes
// a free "Unsaved" name; any other (a saved copy, which the song data names, or one kept
// before) stays as it is. The path it has now. EFileStreamError when it cannot be renamed.
std::string KeepUnsavedRecording(const std::string& dataFolder, const std::string& songKey,
                                 const std::string& recording);

// The paths of the recordings kept for the song, in the order of their names.
std::vector<std::string> UnsavedRecordingsOf(const std::string& dataFolder,
                                             const std::string& songKey);
