#include "quavrel_program.h"

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
#include "audio/recording_formats.h"
#include "data_folder.h"
#include "dialogs/splash_frm.h"
#include "leftover_files.h"
#include "main_controller.h"
#include "main_frm.h"
#include "platform/application_error.h"
#include "platform/program_folder.h"
#include "platform/shell_open.h"
#include "platform/termination_signals.h"
#include "qvr_base_frm.h"
#include "setting_font.h"
#include "settings_file.h"
#include "skins/skin_loader.h"
#include "song_data_file.h"

#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QUrl>
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
    const ScopedApplicationErrorHandler errors([this](const std::exception& error) {
        if (AskToGoOnAfterError(error) == false) {
            Exit();
        }
    });
    if (!StartUp()) {
        return 0;
    }
    const int code = QApplication::exec();
    ShutDown();
    return code;
}

bool TQuavrelProgram::StartUp() {
    QStringList languageArguments;
    if (commandLine.LanguageGiven) {
        languageArguments << QStringLiteral("-lang") << commandLine.LanguageCode;
    }
    const LanguageChoice language = ChooseLanguageFile(ProgramFolder(), languageArguments);
    languagePath = language.Path;
    SetLanguageCode(language.Code);
    LoadLanguageFile(languagePath);

    dataFolderUi = std::make_unique<TDesktopDataFolderUi>();
    dataFolder = std::make_unique<TDataFolder>(DesktopDataFolderPlaces(), *dataFolderUi);
    if (!dataFolder->StartUp()) {
        return false;
    }
    splash = ShowSplash(ProgramFolder());
    settings = LoadSettingsFile(dataFolder->Path(), language.Code.toStdString());
    CreateForms();
    RegisterComponents({events.get()});
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
    controller->Start();
    frm->show();
    frm->ApplyMainWindowShape();
    pollGate->Install();
    if (!commandLine.Songs.isEmpty()) {
        OpenDroppedFiles(commandLine.Songs);
    }
    delete splash;
    return true;
}

void TQuavrelProgram::CreateForms() {
    events = std::make_unique<TEventModule>();
    frm = std::make_unique<TMainFrm>(*events, ProgramFolder() + QStringLiteral("/Skins/"));
    controller =
        std::make_unique<TMainController>(*frm, *events, settings, dataFolder->Path());
    songData = std::make_unique<TSongDataFile>(*controller);
    controller->SetSongDataStore(songData.get());
    controller->SetSongList(&songs);
    pollGate = std::make_unique<TPollGate>([this] { return IsProgramInFront(frm.get()); },
                                           events->rkMinimize);
    pollGate->OnFatalExit = [this] { Exit(); };
}

void TQuavrelProgram::WireShell() {
    controller->WireActions();
    TMainController::TShellCommands& shell = controller->Shell;
    shell.Minimize = [this] { frm->MinimizeOrRestore(); };
    shell.Exit = [this] { Exit(); };
    shell.ShowHomepage = [](const QString& address) {
        if (!address.isEmpty()) {
            ShellOpen(address);
        }
    };
    shell.ShowVornic = [this] { ShowVornic(); };
    frm->OnExiting = [this] { return SaveForExit(); };
    frm->OnMoved = [this](QPoint delta) {
        if (TQvrBaseFrm* docked = controller->DockedWindow(); docked != nullptr && !docked->Dragging()) {
            docked->move(docked->pos() + delta);
        }
    };
    frm->OnRightClick = [this](QPoint at) { MouseCommand(settings.MainFrmRightClicked, at); };
    frm->OnDoubleClick = [this](QPoint at) { MouseCommand(settings.MainFrmDoubleClicked, at); };
    frm->OnFilesDropped = [this](const QStringList& files) { OpenDroppedFiles(files); };
    frm->OnHintsNeeded = [this] { ApplyCommandHints(*events, settings.HintType); };
    instance.OnFilesReceived = [this](const QStringList& files) { OpenDroppedFiles(files); };
    HandleTerminationSignals([this] { Exit(); });
    // Logging out saves everything, as an Exit does.
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, frm.get(), [this] { Exit(); });
}

void TQuavrelProgram::ApplySettings() {
    frm->move(settings.Left, settings.Top);
    frm->Background()->SetTimeFont(FontOf(settings.MainfrmTimeFont));
    pollGate->SetMinimizeWhileInactive(settings.CheckMinimizeKeyWhileInactive);
    settings.SkinName =
        LoadSkinOrDefault(*frm, QString::fromStdString(settings.SkinName)).toStdString();
    ApplyCommandHints(*events, settings.HintType);
}

void TQuavrelProgram::Exit() {
    if (!frm) {
        QCoreApplication::quit();
        return;
    }
    frm->ExitRequested = true;
    frm->close();
}

void TQuavrelProgram::OpenDroppedFiles(const QStringList& files) {
    for (const QString& file : files) {
        songs.Add(file.toStdString());
    }
    try {
        if (controller->OpenSong(files.first().toStdString()) &&
            controller->SongPlayer().GetMode() != TMPModes::mpPlaying) {
            controller->SongPlayer().Play();
        }
        controller->RefreshDisplay();
    } catch (const std::exception& error) {
        ShowError(error);
    }
}

void TQuavrelProgram::MouseCommand(int choice, QPoint at) {
    switch (choice) {
    case 3:
        frm->SongListMenu()->exec(at);
        WaitForBoundKeysReleased();
        break;
    case 4:
        frm->MinimizeOrRestore();
        break;
    default:
        break;
    }
}

void TQuavrelProgram::ShowVornic() {
    // The user guide, unless a language file points to a page of its own.
    QUrl page(SQuavrelUrl);
    if (SQuavrelUrl == RegisteredMessages().front().Default || !page.isValid() ||
        page.scheme().isEmpty()) {
        page = QUrl::fromLocalFile(ProgramFolder() + QStringLiteral("/readme.html"));
    }
    page.setQuery(LanguageCode() == QStringLiteral("jap") ? QStringLiteral("Japanese")
                                                          : QStringLiteral("English"));
    ShellOpen(page.toString());
}

void TQuavrelProgram::ShowError(const std::exception& error) const {
    QMessageBox box(QMessageBox::Critical, QString::fromUtf8(ProgramCaption),
                    WithLineFeeds(QString::fromUtf8(error.what())), QMessageBox::Ok);
    box.exec();
}

bool TQuavrelProgram::SaveForExit() {
    if (savedForExit) {
        return true;
    }
    try {
        controller->SaveAtShutDown();
    } catch (const std::exception& error) {
        // The song's windows are still open: the user may free the disk and exit again.
        if (AskToGoOnAfterError(error) == true) {
            frm->ExitRequested = false;
            return false;
        }
    }
    savedForExit = true;
    QCoreApplication::quit();
    return true;
}

void TQuavrelProgram::ShutDown() {
    pollGate->Remove();
    frm->hide();
    if (!savedForExit) {
        try {
            controller->SaveAtShutDown();
        } catch (const std::exception& error) {
            ShowError(error);
        }
    }
    settings.Left = frm->x();
    settings.Top = frm->y();
    try {
        SaveSettingsFile(dataFolder->Path(), settings);
    } catch (const std::exception& error) {
        ShowError(error);
    }
    try {
        dataFolder->ShutDown();
    } catch (const std::exception& error) {
        ShowError(error);
    }
}
