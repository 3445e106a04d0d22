#pragma once

#include "platform/exception.h"

#include <QString>
#include <exception>
#include <functional>
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
// TDesktopDataFolderUi (app/desktop_data_folder_ui.h); tests give a fake. Nothing waits: each
// question returns at once and its handler runs once the user has answered (never inside the
// call that asked).
class TDataFolderUi {
public:
    virtual ~TDataFolderUi() = default;

    // What the user wants when no folder was chosen.
    enum class TNoFolderAnswer { ChooseAgain, UseProposed, Quit };

    // A picture message; closed runs once it is closed (by a click or a key).
    virtual void ShowImageMessage(const QString& caption, const QString& text,
                                  const QString& pictureFile, std::function<void()> closed) = 0;
    // The folder picker, in the proposed folder's parent with the proposed name filled in (the
    // proposed folder need not exist); chosen gets the folder picked, or an empty text when
    // the picker was cancelled.
    virtual void ChooseFolder(const QString& proposed,
                              std::function<void(const QString& folder)> chosen) = 0;
    // Tells that Quavrel needs a folder and offers the picker again or the proposed folder;
    // problem tells why the folder chosen could not be used (empty when the picker was
    // cancelled).
    virtual void AskWithoutFolder(const QString& proposed, const QString& problem,
                                  std::function<void(TNoFolderAnswer answer)> answered) = 0;
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

    // How StartUp ends. Exactly one runs, once.
    struct TStartHandlers {
        // The folder is chosen and locked, and the first run's notices are over.
        std::function<void()> Ready;
        // The user chose to end the program without a folder; nothing was written.
        std::function<void()> Declined;
        // EDataFolderInUse (before anything in the folder is touched) when another live process
        // holds the lock; EFileStreamError when the lock of the folder kept from before cannot
        // be made; EProfileFileError when the per-user file cannot be read. A folder chosen now
        // that cannot be made or locked, or given the key file, is told and asked for again.
        std::function<void(std::exception_ptr error)> Failed;
    };

    // Reads the user's data folder; when there is none (or it is gone) asks for one, after a
    // welcome, proposing "Quavrel" in the documents folder, and gives it a copy of the
    // program's default key file unless it has one. A cancelled choice tells that a folder is
    // needed and offers the choice again or the proposed folder; the folder is made only once
    // chosen. On a user's first run then shows the two notices about recording, opens the
    // desktop's volume control when the folder's settings record from the recording device,
    // and opens the user guide. The folder is locked (its ".quavrel.lock") until this object
    // goes; a lock left by a process that is gone is taken over. Without a question to ask,
    // the handler runs before StartUp returns. The handlers do not throw.
    void StartUp(TStartHandlers handlers);

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
    // Runs step, which may throw; an error goes to the Failed handler.
    void Step(const std::function<void()>& step);
    void Welcome();
    void AskForFolder();
    void FolderChosen(const QString& folder);
    void AskWithoutFolder(const QString& problem);
    void UseFolder(const QString& folder);
    // Makes folder, locks it and gives it the key file; EFileStreamError when it cannot.
    void MakeFolder(const QString& folder);
    void Lock();
    void ShowFirstRunNotices();
    bool RecordsFromDevice() const;
    QString Picture(int number) const;
    QString ProposedFolder() const;

    TDataFolderPlaces places;
    TDataFolderUi& ui;
    std::string path;
    std::unique_ptr<QLockFile> lock;
    bool changeRequested = false;
    bool firstTime = false;
    TStartHandlers handlers;
};
