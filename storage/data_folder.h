#pragma once

#include <QString>
#include <string>

// What the choice of the data folder shows and starts. The desktop's is
// TDesktopDataFolderUi; tests give a fake.
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

// The picture message window, the folder dialog, pavucontrol and the desktop's "open".
class TDesktopDataFolderUi final : public TDataFolderUi {
public:
    void ShowImageMessage(const QString& caption, const QString& text,
                          const QString& pictureFile) override;
    QString ChooseFolder(const QString& proposed) override;
    void StartRecordingMixer() override;
    void OpenDocument(const QString& path) override;
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

    // Reads the user's data folder; when there is none (or it is gone) asks for one, after a
    // welcome, proposing "Quavrel" in the documents folder, and gives it a copy of the
    // program's default key file unless it has one. On a user's first run then shows the two
    // notices about the recording device, opens the desktop's volume control and the user
    // guide. False when the user cancels the choice: the program ends. EProfileFileError when
    // the per-user file cannot be read; EFileStreamError when the key file cannot be copied.
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
    void ShowFirstRunNotices();
    QString Picture(int number) const;

    TDataFolderPlaces places;
    TDataFolderUi& ui;
    std::string path;
    bool changeRequested = false;
};
