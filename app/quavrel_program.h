#pragma once

#include "app/command_line.h"
#include "controller/song_list.h"
#include "platform/single_instance.h"
#include "platform/termination_signals.h"
#include "storage/settings.h"

#include <QPoint>
#include <QPointer>
#include <QString>
#include <QTranslator>
#include <QWidget>
#include <exception>
#include <memory>
#include <set>
#include <string>
#include <vector>

class TAutorecFrm;
class TConfigMenu;
class TDataFolder;
class TKeyBindFrm;
class TSelectFrm;
class TDesktopDataFolderUi;
class TEventModule;
class TExpandWaveFrm;
class TGuideFrm;
class TMainController;
class TMainFrm;
class TPlaylistFrm;
class TPlaylistLink;
class QMenu;
class TPollGate;
class TSongWindows;
class TSplashfrm;
class TWaveExpansion;

// The program from start to end: one instance per user, the language, the data folder, the
// windows and the controller, the settings, the message loop, and the shut-down that saves
// what the user made, whichever way the program is asked to end.
class TQuavrelProgram {
public:
    explicit TQuavrelProgram(TCommandLine commandLine);
    ~TQuavrelProgram();
    TQuavrelProgram(const TQuavrelProgram&) = delete;
    TQuavrelProgram& operator=(const TQuavrelProgram&) = delete;

    // Runs inside the application object; the process's exit code.
    int Run();

private:
    // The language and the data folder; FinishStartUp follows once the folder is there, at
    // once or after the first run's questions.
    void StartUp();
    void FinishStartUp(const QString& languageCode);
    // The start-up ends without the program: the user chose no folder, or error.
    void EndStartUp(std::exception_ptr error);
    void CreateForms();
    void ApplySettings();
    // The hints of the commands' buttons and of the speed controls, at the user's length.
    void ApplyHints();
    void WireShell();
    // Saves the song's windows before the program ends; false when that failed and the user
    // chose to go on.
    bool SaveForExit();
    void ShutDown();
    // The play list and the tree of registered files.
    void SavePlaylist();
    // The settings, the key binding and the data folder's choice, as they are now.
    void SaveSettings();
    // What an Exit saves, the program going on: a logout may yet be cancelled.
    void SaveForLogout();
    // Removes the copies of recordings that a logout's save made and a later save replaced.
    void RemoveLogoutCopies();
    void KeepUnsavedRecordings() const;
    void EndMessageLoop();
    // The Exit command: the main window closes for good, which ends the message loop.
    void Exit();
    // A termination signal: the open boxes end, then the program exits.
    void Terminate();
    // Files dropped on the main window or given to a start: they replace the play list (and
    // join the tree when the user chose so), and the first of them plays.
    void OpenDroppedFiles(std::vector<std::string> files);
    void ShowPlaylist();
    // What a right click or a double click on the main window does, by the user's choice.
    void MouseCommand(int choice, QPoint at);
    void ShowVornic();
    // The Config command: the main menu below the control that fired it.
    void PopupConfig(QWidget* control);
    // The cassette and card windows as the select window lists them; the choice is docked.
    void PopupCassetteList(QPoint at);
    void SelectWindow();
    void ChangeDataFolder();
    // The expand tool: its dialog, then the conversion it asked for.
    void ExpandWave();
    void FontsChanged();
    // Tells the user about an error that does not end the program.
    void ShowError(const std::exception& error) const;

    TCommandLine commandLine;
    SingleInstance instance;
    QString languagePath;
    // Qt's own texts in the interface language, when the system has them.
    std::unique_ptr<QTranslator> qtTexts;
    std::unique_ptr<TDesktopDataFolderUi> dataFolderUi;
    std::unique_ptr<TDataFolder> dataFolder;
    Settings settings;
    QPointer<TSplashfrm> splash;
    std::unique_ptr<TEventModule> events;
    std::unique_ptr<TMainFrm> frm;
    std::unique_ptr<TMainController> controller;
    std::unique_ptr<TSongWindows> songData;
    std::unique_ptr<TPlaylistLink> playlistLink;
    std::unique_ptr<TPlaylistFrm> playlistFrm;
    std::unique_ptr<TKeyBindFrm> keyBindFrm;
    std::unique_ptr<TSelectFrm> selectFrm;
    std::unique_ptr<TAutorecFrm> autorecFrm;
    std::unique_ptr<TGuideFrm> guideFrm;
    std::unique_ptr<TConfigMenu> configMenu;
    std::unique_ptr<QMenu> cassetteListMenu;
    std::unique_ptr<TPollGate> pollGate;
    std::unique_ptr<TExpandWaveFrm> expandWaveFrm;
    std::unique_ptr<TWaveExpansion> waveExpansion;
    bool savedForExit = false;
    // Set once the controller has started and the main window shows.
    bool started = false;
    // An Exit that came before the message loop ran, which a quit would not reach.
    bool exitBeforeLoop = false;
    // Set once the data folder is chosen and locked.
    bool folderReady = false;
    // An Exit that came before the start-up was complete.
    bool exitDuringStartUp = false;
    // What ended the start-up, thrown again once the message loop is over.
    std::exception_ptr startUpError;
    bool loopRunning = false;
    // A termination signal came: nobody may be there to answer a box.
    bool terminating = false;
    // The copies of recordings that logouts' saves made.
    std::set<QString> logoutCopies;
    // Last, so that no signal reaches a program half destroyed.
    std::unique_ptr<TerminationSignalHandler> terminationSignals;
};
