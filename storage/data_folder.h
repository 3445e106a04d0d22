#pragma once

#include "platform/exception.h"

#include <QString>
#include <memory>
#include <string>

class QLockFile;

// Another Quavrel (of another user, or started from another session) holds the data folder.
class EDataFolderInUse : public Exception {
public:
    using Exception::Exception;
};

// The lock file inside the data folder, held by the program that uses it.
inline constexpr const char* DataFolderLockName = ".quavrel.lock";

// What the choice of the data folder shows and starts. The desktop's is
// TDesktopDataFolderUi (app/desktop_data_folder_ui.h); tests give a fake.
class TDataFolderUi {
public:
    virtual ~TDataFolderUi() = default;

    // A picture message that waits for a click or a key.
    virtual void ShowImageMessage(const QString& caption, const QString& text,
                                  const QString& pictureFile) = 0;
    // The folder the user picks, starting at proposed (which exists); empty on cancel.
    virtual QString ChooseFolder(const QString& proposed) = 0;
    // The desktop's volume control on its recording devices, when there is one.
    virtual void StartRecordingMixer() = 0;
    virtual void OpenDocument(const QString& path) = 0;
};

// Where the data folder's choice is kept and what it starts from.
struct TDataFolderPlaces {
    // The per-user settings file; its section for this user is named by DocumentsFolder.
    QString UserFile;
    QString DocumentsFolder;
    // Pictures of the first-run messages, the default key file and the user guide.
    QString ProgramFolder;
};

// The per-user file under $XDG_CONFIG_HOME, the desktop's documents folder, the program folder.
TDataFolderPlaces DesktopDataFolderPlaces();

// The folder that holds every file the program writes, chosen by each user once, and the
// introduction shown on a user's first run.
class TDataFolder {
public:
    TDataFolder(TDataFolderPlaces places, TDataFolderUi& ui);
    // Lets go of the folder's lock.
    ~TDataFolder();
    TDataFolder(const TDataFolder&) = delete;
    TDataFolder& operator=(const TDataFolder&) = delete;

    // Reads the user's data folder; when there is none (or it is gone) asks for one, after a
    // welcome, proposing "Quavrel" in the documents folder, and gives it a copy of the
    // program's default key file unless it has one. On a user's first run then shows the two
    // notices about the recording device, opens the desktop's volume control and the user
    // guide. The folder is locked (its ".quavrel.lock") until this object goes; a lock left by
    // a process that is gone is taken over. False when the user cancels the choice: the program
    // ends. EDataFolderInUse (before anything in the folder is touched) when another live
    // process holds the lock; EFileStreamError when the lock cannot be made or the key file
    // cannot be copied; EProfileFileError when the per-user file cannot be read.
    bool StartUp();

    // The chosen folder; empty before a successful StartUp.
    const std::string& Path() const { return path; }

    // "Change Data Folder": the next start asks for a folder again (nothing is moved).
    void RequestChange() { changeRequested = true; }
    bool ChangeRequested() const { return changeRequested; }

    // At shut-down, after the settings are saved: the first run is over, and the folder is
    // kept for the next start (or forgotten when a change was asked for). EProfileFileError
    // with the path and the reason when the per-user file cannot be written.
    void ShutDown() const;

private:
    bool ChooseDataFolder();
    void Lock();
    void ShowFirstRunNotices();
    QString Picture(int number) const;

    TDataFolderPlaces places;
    TDataFolderUi& ui;
    std::string path;
    std::unique_ptr<QLockFile> lock;
    bool changeRequested = false;
};
