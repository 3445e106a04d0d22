#include "app/quavrel_program.h"

#include "actions/command_hints.h"
#include "actions/event_module.h"
#include "actions/fatal_error.h"
#include "actions/key_polling.h"
#include "actions/language_choice.h"
#include "actions/language_file.h"
#include "actions/line_break_tags.h"
#include "actions/messages.h"
#include "actions/poll_gate.h"
#include "actions/program_caption.h"
#include "actions/real_time_key.h"
#include "app/config_menu.h"
#include "app/desktop_data_folder_ui.h"
#include "app/foreign_quit.h"
#include "app/leftover_message_boxes.h"
#include "app/main_frm.h"
#include "app/modal_boxes.h"
#include "app/playlist_link.h"
#include "app/qt_texts.h"
#include "app/show_page.h"
#include "app/wave_expansion.h"
#include "audio/recording_formats.h"
#include "cassettes/autorec_frm.h"
#include "cassettes/qvr_base_frm.h"
#include "cassettes/qvr_window_list.h"
#include "cassettes/select_frm.h"
#include "cassettes/setting_font.h"
#include "controller/main_controller.h"
#include "controller/song_windows.h"
#include "dialogs/dialog_support.h"
#include "dialogs/expand_wave_frm.h"
#include "dialogs/guide_frm.h"
#include "dialogs/key_bind_frm.h"
#include "dialogs/splash_frm.h"
#include "platform/application_error.h"
#include "platform/file_stream.h"
#include "platform/media/ffmpeg_library.h"
#include "platform/media/media_file.h"
#include "platform/profile_file.h"
#include "platform/program_folder.h"
#include "platform/screen_area.h"
#include "platform/termination_signals.h"
#include "playlist/add_path.h"
#include "playlist/playlist_frm.h"
#include "skins/skin_loader.h"
#include "skins/speed_hints.h"
#include "storage/data_folder.h"
#include "storage/leftover_files.h"
#include "storage/settings_file.h"
#include "storage/song_data_file.h"
#include "storage/temp_file.h"

#include <QActionGroup>
#include <QApplication>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QStringList>
#include <QUrl>
#include <algorithm>
#include <exception>
#include <iostream>

namespace {

// The name of the one instance's lock, kept from the Windows program's mutex.
const QString InstanceName = QStringLiteral("CD_QUAVREL_MUTEX");

} // namespace

TQuavrelProgram::TQuavrelProgram(TCommandLine commandLine)
    : commandLine(std::move(commandLine)), instance(InstanceName) {}

TQuavrelProgram::~TQuavrelProgram() = default;

int TQuavrelProgram::Run() {
    if (!instance.Acquire()) {
        if (!instance.SendFiles(commandLine.Songs)) {
            std::cerr << "Quavrel is running already but does not answer.\n";
        }
        return 0;
    }
    // From here a termination ends the program as its Exit does, start-up questions included.
    terminationSignals = std::make_unique<TerminationSignalHandler>([this] { Terminate(); });
    // Songs handed over while the program starts wait until its own song is open.
    instance.OnFilesReceived = [this](const std::vector<std::string>& files) {
        if (started) {
            OpenDroppedFiles(files);
        } else {
            commandLine.Songs.insert(commandLine.Songs.end(), files.begin(), files.end());
        }
    };
    const ScopedApplicationErrorHandler errors([this](const std::exception& error) {
        if (AskToGoOnAfterError(error) == false) {
            Exit();
        }
    });
    StartUp();
    // The first run's questions, and what follows them, are answered in the message loop.
    int code = 0;
    if (!exitBeforeLoop) {
        loopRunning = true;
        code = QApplication::exec();
        loopRunning = false;
    }
    if (startUpError) {
        std::rethrow_exception(startUpError);
    }
    if (started) {
        ShutDown();
    }
    return code;
}

void TQuavrelProgram::StartUp() {
    QStringList languageArguments;
    if (commandLine.LanguageGiven) {
        languageArguments << QStringLiteral("-lang") << commandLine.LanguageCode;
    }
    const LanguageChoice language =
        ChooseLanguageFile(ProgramFolder(), languageArguments, MessagesLanguages());
    languagePath = language.Path;
    SetLanguageCode(language.Code);
    qtTexts = InstallQtTexts(language.Code);
    LoadLanguageFile(languagePath);

    // The first run may show the guide in it, before the main window exists.
    guideFrm = std::make_unique<TGuideFrm>();
    dataFolderUi = std::make_unique<TDesktopDataFolderUi>(*guideFrm);
    dataFolder = std::make_unique<TDataFolder>(DesktopDataFolderPlaces(), *dataFolderUi);
    TDataFolder::TStartHandlers handlers;
    handlers.Ready = [this, languageCode = language.Code] {
        try {
            FinishStartUp(languageCode);
        } catch (...) {
            EndStartUp(std::current_exception());
        }
    };
    handlers.Declined = [this] { EndStartUp(nullptr); };
    handlers.Failed = [this](std::exception_ptr error) { EndStartUp(std::move(error)); };
    dataFolder->StartUp(std::move(handlers));
}

void TQuavrelProgram::EndStartUp(std::exception_ptr error) {
    startUpError = std::move(error);
    EndMessageLoop();
}

void TQuavrelProgram::FinishStartUp(const QString& languageCode) {
    folderReady = true;
    splash = ShowSplash(ProgramFolder());
    settings = LoadSettingsFile(dataFolder->Path(), languageCode.toStdString());
    // When the song opened below needs FFmpeg, its libraries load on a thread of their own while
    // the windows are made.
    if (!settings.FileName.empty() && OpensThroughFfmpeg(settings.FileName)) {
        PreloadFfmpeg();
    }
    CreateForms();
    RegisterComponents({events.get(), playlistFrm.get(), autorecFrm.get(), keyBindFrm.get(),
                        expandWaveFrm.get(), selectFrm.get()});
    LoadLanguageFile(languagePath);
    WireShell();
    ApplySettings();
    // Before any song's cassettes exist: what is in the folder now was left by an earlier run.
    if (settings.CheckDisuseFile) {
        TLeftoverMessageBoxes questions;
        try {
            OfferLeftoverDeletion(dataFolder->Path(), questions);
        } catch (const std::exception& error) {
            ShowError(error);
        }
    }
    playlistFrm->LoadLists();
    controller->Start();
    frm->show();
    frm->ApplyMainWindowShape();
    pollGate->Install();
    started = true;
    if (!commandLine.Songs.empty()) {
        OpenDroppedFiles(commandLine.Songs);
    }
    delete splash;
    // An Exit that came while the start-up was asking (a signal, a logout) ends the program
    // now that the song and its windows are there to be saved.
    if (exitDuringStartUp) {
        EndMessageLoop();
    }
}

void TQuavrelProgram::CreateForms() {
    events = std::make_unique<TEventModule>();
    frm = std::make_unique<TMainFrm>(*events, ProgramFolder() + QStringLiteral("/Skins/"));
    controller = std::make_unique<TMainController>(*frm, *events, settings, dataFolder->Path());
    songData = std::make_unique<TSongWindows>(*controller);
    controller->SetSongDataStore(songData.get());
    playlistLink = std::make_unique<TPlaylistLink>(*controller, *frm);
    playlistFrm = std::make_unique<TPlaylistFrm>(*playlistLink, dataFolder->Path(), frm.get());
    playlistLink->SetPlaylist(playlistFrm.get());
    controller->SetSongList(playlistLink.get());
    controller->DialogForms.emplace_back(playlistFrm.get());
    // Made before the keys are polled: making it binds them.
    keyBindFrm = std::make_unique<TKeyBindFrm>(
        *events, QString::fromStdString(dataFolder->Path() + "/quavrel_key.ini"));
    selectFrm = std::make_unique<TSelectFrm>(*controller, [this] { controller->Tick(); });
    autorecFrm =
        std::make_unique<TAutorecFrm>(*controller, [this] { controller->StopAutoRecording(); });
    controller->DialogForms.emplace_back(autorecFrm.get());
    controller->DialogForms.emplace_back(keyBindFrm.get());
    controller->DialogForms.emplace_back(guideFrm.get());
    cassetteListMenu = std::make_unique<QMenu>();
    cassetteListMenu->setObjectName(QStringLiteral("pmCassetteList"));
    QObject::connect(cassetteListMenu.get(), &QMenu::aboutToHide, cassetteListMenu.get(),
                     [] { SwallowHeldKeys(); });
    TConfigMenu::TCommands menuCommands;
    menuCommands.SelectWindow = [this] { SelectWindow(); };
    expandWaveFrm = std::make_unique<TExpandWaveFrm>(dataFolder->Path());
    waveExpansion = std::make_unique<TWaveExpansion>(*frm, dataFolder->Path());
    menuCommands.ExpandWave = [this] { ExpandWave(); };
    menuCommands.ShowPlaylist = [this] { ShowPlaylist(); };
    menuCommands.ShowKeyBind = [this] {
        keyBindFrm->show();
        keyBindFrm->raise();
        keyBindFrm->activateWindow();
    };
    menuCommands.ChangeDataFolder = [this] { ChangeDataFolder(); };
    menuCommands.Minimize = [this] { frm->MinimizeOrRestore(); };
    menuCommands.Exit = [this] { Exit(); };
    menuCommands.FontsChanged = [this] { FontsChanged(); };
    menuCommands.HintsChanged = [this] { ApplyHints(); };
    menuCommands.OptionsChanged = [this] {
        pollGate->SetMinimizeWhileInactive(settings.CheckMinimizeKeyWhileInactive);
    };
    menuCommands.RecordSourceChanged = [this] { controller->ApplyRecordSource(); };
    menuCommands.StayOnTopChanged = [this](bool onTop) {
        keyBindFrm->SetStayOnTop(onTop);
        selectFrm->SetStayOnTop(onTop);
    };
    configMenu = std::make_unique<TConfigMenu>(*events, *controller, *frm, settings,
                                               std::move(menuCommands));
    pollGate = std::make_unique<TPollGate>([this] { return IsProgramInFront(frm.get()); },
                                           events->rkMinimize);
    pollGate->OnFatalExit = [this] { Exit(); };
}

void TQuavrelProgram::WireShell() {
    controller->WireActions();
    TMainController::TShellCommands& shell = controller->Shell;
    shell.Minimize = [this] { frm->MinimizeOrRestore(); };
    shell.Exit = [this] { Exit(); };
    shell.ShowHomepage = [this](const QString& address) {
        if (!address.isEmpty()) {
            ShowPage(QUrl::fromUserInput(address), *guideFrm, frm.get());
        }
    };
    shell.ShowVornic = [this] { ShowVornic(); };
    shell.Config = [this](QWidget* control) { PopupConfig(control); };
    shell.Select = [this] { SelectWindow(); };
    shell.ShowAutoRecord = [this] { autorecFrm->ShowModal(); };
    shell.CloseAutoRecord = [this] {
        if (autorecFrm) {
            autorecFrm->Close();
        }
    };
    QObject::connect(keyBindFrm.get(), &TKeyBindFrm::KeysApplied, frm.get(),
                     [this] { ApplyHints(); });
    frm->OnExiting = [this] { return SaveForExit(); };
    frm->OnMoved = [this](QPoint delta) {
        if (TQvrBaseFrm* docked = controller->DockedWindow();
            docked != nullptr && !docked->Dragging()) {
            docked->move(docked->pos() + delta);
        }
    };
    frm->OnRightClick = [this](QPoint at) { MouseCommand(settings.MainFrmRightClicked, at); };
    frm->OnDoubleClick = [this](QPoint at) { MouseCommand(settings.MainFrmDoubleClicked, at); };
    frm->OnFilesDropped = [this](const std::vector<std::string>& files) {
        OpenDroppedFiles(files);
    };
    frm->OnHintsNeeded = [this] { ApplyHints(); };
    // The playlist window wears the colours of the skin the controller has placed its windows
    // for.
    frm->OnSkinLoaded = [this, placeWindows = std::move(frm->OnSkinLoaded)] {
        if (placeWindows) {
            placeWindows();
        }
        playlistFrm->ApplySkin(frm->Parameters);
    };
    // Logging out saves everything an Exit saves, but a logout may yet be cancelled: the
    // program ends only when the session ends it.
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, frm.get(),
                     [this] { SaveForLogout(); });
    // The session ends the program as a termination does: the main window does not close
    // otherwise.
    RedirectForeignQuits(
        frm.get(), [this] { return savedForExit; }, [this] { Terminate(); });
}

void TQuavrelProgram::ApplySettings() {
    frm->Background()->SetTimeFont(FontOf(settings.MainfrmTimeFont));
    pollGate->SetMinimizeWhileInactive(settings.CheckMinimizeKeyWhileInactive);
    settings.SkinName =
        LoadSkinOrDefault(*frm, QString::fromStdString(settings.SkinName)).toStdString();
    // Where the last run left it, within the screens there are now, at the skin's size.
    frm->move(ClampToScreens(QPoint(settings.Left, settings.Top), frm->size()));
    ApplyHints();
}

void TQuavrelProgram::ApplyHints() {
    ApplyCommandHints(*events, settings.HintType);
    ApplySpeedHints(frm->Groups, settings.HintType);
}

void TQuavrelProgram::Exit() {
    if (!started) {
        // The song and its windows are not all there yet: the shut-down saves them once the
        // start-up is complete. Without a data folder yet there is nothing to save.
        exitDuringStartUp = true;
        if (!folderReady) {
            EndMessageLoop();
        }
        return;
    }
    frm->ExitRequested = true;
    frm->close();
}

void TQuavrelProgram::Terminate() {
    terminating = true;
    // A first-run window open now goes unanswered: closing it would carry the start-up on.
    if (!folderReady && dataFolderUi) {
        dataFolderUi->Withdraw();
    }
    EndModalBoxesFromNowOn();
    Exit();
}

void TQuavrelProgram::OpenDroppedFiles(std::vector<std::string> files) {
    std::sort(files.begin(), files.end());
    QTreeWidgetItem* first = nullptr;
    // A folder too deep stops its own scan, not the other files': the first error is told.
    std::exception_ptr error;
    const auto add = [&](const std::string& file, TAddTarget target, TAddResult result,
                         TTreePlace place) -> QTreeWidgetItem* {
        try {
            const std::vector<QTreeWidgetItem*> added =
                playlistFrm->AddPath(file, target, result, place);
            return added.empty() ? nullptr : added.front();
        } catch (const std::exception&) {
            if (!error) {
                error = std::current_exception();
            }
            return nullptr;
        }
    };
    playlistFrm->ClearForDrop();
    for (const std::string& file : files) {
        QTreeWidgetItem* item =
            add(file, TAddTarget::PlayList, TAddResult::First, TTreePlace::AtPointer);
        if (first == nullptr) {
            first = item;
        }
    }
    if (settings.AddToTreeWhenDroped) {
        for (const std::string& file : files) {
            add(file, TAddTarget::Tree, TAddResult::Last, TTreePlace::Root);
        }
    }
    try {
        playlistFrm->SavePlayList();
        if (first != nullptr) {
            playlistFrm->PlayItem(first);
            controller->PlaySong();
        }
        if (error) {
            std::rethrow_exception(error);
        }
    } catch (const std::exception& failure) {
        ShowError(failure);
    }
}

void TQuavrelProgram::ShowPlaylist() {
    playlistFrm->show();
    playlistFrm->raise();
    playlistFrm->activateWindow();
}

void TQuavrelProgram::MouseCommand(int choice, QPoint at) {
    switch (choice) {
    case 1:
        PopupCassetteList(at);
        break;
    case 2:
        configMenu->Popup(at);
        break;
    case 3:
        frm->SongListMenu()->popup(at);
        break;
    case 4:
        frm->MinimizeOrRestore();
        break;
    default:
        break;
    }
}

void TQuavrelProgram::PopupConfig(QWidget* control) {
    QPoint at;
    if (control != nullptr) {
        at = control->mapToGlobal(QPoint(-control->width() / 2, control->height() / 2 + 10));
    } else if (QWidget* first = frm->Groups[TSkinFunction::Config].Item(0)) {
        at = first->mapToGlobal(first->rect().center());
    } else {
        at = frm->mapToGlobal(frm->rect().center());
    }
    configMenu->Popup(at);
}

void TQuavrelProgram::PopupCassetteList(QPoint at) {
    selectFrm->RefreshList();
    cassetteListMenu->clear();
    qDeleteAll(cassetteListMenu->findChildren<QActionGroup*>(Qt::FindDirectChildrenOnly));
    QListWidget* list = selectFrm->ListBox1;
    // One window is docked at a time: the entries show as radio items.
    auto* docked = new QActionGroup(cassetteListMenu.get());
    for (int i = 0; i < list->count(); ++i) {
        const QPointer<TQvrBaseFrm> window = selectFrm->WindowAt(i);
        const bool eject = i + 1 == list->count();
        QAction* item = cassetteListMenu->addAction(list->item(i)->text());
        item->setCheckable(true);
        item->setActionGroup(docked);
        item->setChecked(window != nullptr && window == controller->DockedWindow());
        // Acted on once the menu has closed. The eject entry has no window; a window released
        // meanwhile is left alone.
        QObject::connect(
            item, &QAction::triggered, docked,
            [this, window, eject] {
                // Docking may start the song or change its tempo: a failure ends in the box.
                controller->Guarded([&] {
                    if (eject) {
                        controller->EjectDocked();
                    } else if (window) {
                        controller->DockWindow(window, true);
                    }
                });
            },
            Qt::QueuedConnection);
    }
    cassetteListMenu->popup(at);
}

void TQuavrelProgram::SelectWindow() {
    if (QvrWindows().empty()) {
        return;
    }
    selectFrm->Choose([this](TQvrBaseFrm* chosen) {
        controller->Guarded([&] {
            if (chosen == nullptr) {
                controller->EjectDocked();
            } else {
                controller->DockWindow(chosen, true);
            }
        });
    });
}

void TQuavrelProgram::ChangeDataFolder() {
    // Opened without waiting: the answer comes back through the event loop.
    auto* box = new QMessageBox(QMessageBox::Warning, QString::fromUtf8(ProgramCaption),
                                WithLineFeeds(SChangeDataFolder),
                                QMessageBox::Ok | QMessageBox::Cancel, frm.get());
    box->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(box, &QMessageBox::finished, frm.get(), [this](int answer) {
        if (answer == QMessageBox::Ok) {
            dataFolder->RequestChange();
            Exit();
        }
    });
    box->open();
}

void TQuavrelProgram::ExpandWave() {
    if (waveExpansion->Running()) {
        return;
    }
    expandWaveFrm->SetStayOnTop(controller->StayOnTop());
    expandWaveFrm->Execute([this](bool created) {
        if (created) {
            waveExpansion->Start({expandWaveFrm->SourceFile(), expandWaveFrm->DestinationFile(),
                                  expandWaveFrm->Request()},
                                 controller->StayOnTop());
        }
    });
}

void TQuavrelProgram::FontsChanged() {
    frm->Background()->SetTimeFont(FontOf(settings.MainfrmTimeFont));
    for (TQvrBaseFrm* window : QvrWindows()) {
        window->update();
    }
}

void TQuavrelProgram::ShowVornic() {
    ShowPage(UserGuidePage(ProgramFolder(), LanguageCode()), *guideFrm, frm.get());
}

void TQuavrelProgram::ShowError(const std::exception& error) const {
    // The shut-down runs after the event loop ended: there the box is waited for.
    ShowErrorBoxOutsideTheLoop(QString::fromUtf8(error.what()));
}

// Ending without the song's data saved: the recordings stay on disk, kept for the song until
// it is opened again.
void TQuavrelProgram::KeepUnsavedRecordings() const {
    ::KeepUnsavedRecordings(*controller, controller->SongKey());
}

void TQuavrelProgram::EndMessageLoop() {
    if (loopRunning) {
        QCoreApplication::quit();
    } else {
        // A quit before the loop runs would be lost.
        exitBeforeLoop = true;
    }
}

bool TQuavrelProgram::SaveForExit() {
    if (savedForExit) {
        EndMessageLoop();
        return true;
    }
    try {
        controller->SaveAtShutDown();
        RemoveLogoutCopies();
    } catch (const std::exception& error) {
        // The song's windows are still open: the user may free the disk and exit again, unless
        // the system ends the program.
        if (!terminating && AskToGoOnAfterError(error) == true) {
            frm->ExitRequested = false;
            return false;
        }
        KeepUnsavedRecordings();
    }
    savedForExit = true;
    EndMessageLoop();
    return true;
}

void TQuavrelProgram::ShutDown() {
    pollGate->Remove();
    frm->hide();
    if (!savedForExit) {
        try {
            controller->SaveAtShutDown();
            RemoveLogoutCopies();
        } catch (const std::exception& error) {
            ShowError(error);
            KeepUnsavedRecordings();
        }
    }
    SavePlaylist();
    SaveSettings();
}

void TQuavrelProgram::SavePlaylist() {
    try {
        playlistFrm->SaveLists();
    } catch (const std::exception& error) {
        ShowError(error);
    }
}

void TQuavrelProgram::SaveSettings() {
    settings.Left = frm->x();
    settings.Top = frm->y();
    try {
        SaveSettingsFile(dataFolder->Path(), settings);
    } catch (const std::exception& error) {
        ShowError(error);
    }
    try {
        keyBindFrm->SaveCurrentBinding();
    } catch (const std::exception& error) {
        ShowError(error);
    }
    try {
        dataFolder->ShutDown();
    } catch (const std::exception& error) {
        ShowError(error);
    }
}

void TQuavrelProgram::SaveForLogout() {
    if (!started || savedForExit) {
        return;
    }
    try {
        const std::set<QString> before =
            RecordingsNamedIn(ProfileFile(JoinPath(dataFolder->Path(), SongDataFileName)));
        songData->SaveSongData(controller->SongKey(), controller->Practice());
        for (const QString& name :
             RecordingsNamedIn(ProfileFile(JoinPath(dataFolder->Path(), SongDataFileName)))) {
            if (!before.contains(name)) {
                logoutCopies.insert(name);
            }
        }
    } catch (const std::exception& error) {
        ShowError(error);
    }
    settings.FileName = controller->SongPath();
    SavePlaylist();
    SaveSettings();
}

void TQuavrelProgram::RemoveLogoutCopies() {
    if (logoutCopies.empty()) {
        return;
    }
    try {
        const std::set<QString> named =
            RecordingsNamedIn(ProfileFile(JoinPath(dataFolder->Path(), SongDataFileName)));
        for (const QString& copy : logoutCopies) {
            if (!named.contains(copy)) {
                FileStream::Delete(JoinPath(dataFolder->Path(), copy.toStdString()));
            }
        }
    } catch (const std::exception&) {
        // What is left is offered for deletion at the next start, as any leftover.
    }
    logoutCopies.clear();
}
