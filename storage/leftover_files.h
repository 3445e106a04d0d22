#pragma once

#include <QString>
#include <QStringList>
#include <set>
#include <string>

class ProfileFile;

// Recordings that the song data names in its "WaveFrm<i>.WaveFile" keys (file-name parts), in
// any section.
std::set<QString> RecordingsNamedIn(const ProfileFile& songData);

// A cassette's recording of its own, "tmp<n>.wav" (not a copy kept for a song).
bool IsTempRecording(const QString& fileName);

// Of the file names of the data folder, those left behind: every "tmp<n>.wav" (at start-up no
// cassette holds one yet, so each is left from a run that ended abnormally) and every
// "SaveData - ... .wav", unless a song's data names it. In the order given. Recordings kept
// unsaved ("Unsaved - ... .wav") are never among them.
QStringList LeftoverFiles(const QStringList& folderFiles, const std::set<QString>& named);

// The leftover files of a data folder (names only), with its song data file.
// EProfileFileError when the song data cannot be read: then nothing may count as unnamed.
QStringList LeftoverFilesIn(const std::string& dataFolder);

// The questions about leftover files. The desktop's are message boxes
// (app/leftover_message_boxes.h).
class TLeftoverQuestions {
public:
    enum class TListAnswer { ShowList, SkipList, Stop };

    virtual ~TLeftoverQuestions() = default;
    // Yes, no or cancel.
    virtual TListAnswer AskReadList(const QString& caption, const QString& question) = 0;
    virtual bool Confirm(const QString& caption, const QString& question) = 0;
    virtual void Inform(const QString& caption, const QString& text) = 0;
};

// At start-up, when CheckDisuseFile is on and before any cassette exists: tells how many
// leftover files the data folder holds, shows their list when the user wants it and deletes
// them only when the user agrees, then tells how many went and which could not.
void OfferLeftoverDeletion(const std::string& dataFolder, TLeftoverQuestions& questions);
