#include "storage/data_folder.h"

#include "actions/message_format.h"
#include "actions/messages.h"
#include "platform/exclusive_file.h"
#include "platform/file_stream.h"
#include "platform/profile_file.h"
#include "platform/program_folder.h"
#include "platform/user_folders.h"
#include "storage/settings_file.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace {

const QString FirstTimeFlg = QStringLiteral("FirstTimeFlg");
const QString UserProfiles = QStringLiteral("UserProfiles");
const QString KeyFileName = QStringLiteral("quavrel_key.ini");

} // namespace

TDataFolderPlaces DesktopDataFolderPlaces() {
    return {UserSettingsFile(), DocumentsFolder(), ProgramFolder()};
}

TDataFolder::TDataFolder(TDataFolderPlaces places, TDataFolderUi& ui)
    : places(std::move(places)), ui(ui) {}

TDataFolder::~TDataFolder() = default;

QString TDataFolder::Picture(int number) const {
    return QDir(places.ProgramFolder).filePath(QStringLiteral("Skins/imgmsg%1.bmp").arg(number));
}

QString TDataFolder::ProposedFolder() const {
    return QDir(places.DocumentsFolder).filePath(QStringLiteral("Quavrel"));
}

void TDataFolder::StartUp(TStartHandlers startHandlers) {
    handlers = std::move(startHandlers);
    Step([this] {
        const ProfileFile file(places.UserFile.toStdString());
        firstTime = file.ReadBool(places.DocumentsFolder, FirstTimeFlg, true);
        const QString folder = file.ReadString(places.DocumentsFolder, UserProfiles, QString());
        if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
            Welcome();
            return;
        }
        path = folder.toStdString();
        Lock();
        ShowFirstRunNotices();
    });
}

void TDataFolder::Step(const std::function<void()>& step) {
    try {
        step();
    } catch (...) {
        path.clear();
        lock.reset();
        handlers.Failed(std::current_exception());
    }
}

void TDataFolder::Welcome() {
    ui.ShowImageMessage(SFirstMessageCaption1, SFirstMessage1_1 + u'\r' + SFirstMessage1_3,
                        Picture(1), [this] { AskForFolder(); });
}

void TDataFolder::AskForFolder() {
    ui.ChooseFolder(ProposedFolder(), [this](const QString& folder) {
        Step([this, folder] { FolderChosen(folder); });
    });
}

void TDataFolder::FolderChosen(const QString& folder) {
    if (!folder.isEmpty()) {
        UseFolder(folder);
        return;
    }
    AskWithoutFolder(QString());
}

void TDataFolder::AskWithoutFolder(const QString& problem) {
    ui.AskWithoutFolder(ProposedFolder(), problem, [this](TDataFolderUi::TNoFolderAnswer answer) {
        Step([this, answer] {
            switch (answer) {
            case TDataFolderUi::TNoFolderAnswer::ChooseAgain:
                AskForFolder();
                break;
            case TDataFolderUi::TNoFolderAnswer::UseProposed:
                UseFolder(ProposedFolder());
                break;
            case TDataFolderUi::TNoFolderAnswer::Quit:
                handlers.Declined();
                break;
            }
        });
    });
}

void TDataFolder::UseFolder(const QString& folder) {
    try {
        MakeFolder(folder);
    } catch (const EFileStreamError& error) {
        path.clear();
        lock.reset();
        AskWithoutFolder(QString::fromUtf8(error.what()));
        return;
    }
    ShowFirstRunNotices();
}

void TDataFolder::MakeFolder(const QString& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder.toStdString(), error);
    if (error) {
        throw EFileStreamError("Cannot create folder \"" + folder.toStdString() + "\". " +
                               error.message());
    }
    path = folder.toStdString();
    Lock();
    const QString defaultKeys = QDir(places.ProgramFolder).filePath(KeyFileName);
    if (QFileInfo(defaultKeys).isFile()) {
        // A key file the folder holds already stays as it is.
        CopyToNewFile(defaultKeys.toStdString(), QDir(folder).filePath(KeyFileName).toStdString());
    }
}

// Only a live process keeps the lock, however long it runs: a lock is stale only when the
// process that wrote it is gone.
void TDataFolder::Lock() {
    const QString lockPath = QDir(QString::fromStdString(path)).filePath(DataFolderLockName);
    lock = std::make_unique<QLockFile>(lockPath);
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        return;
    }
    const QLockFile::LockError error = lock->error();
    lock.reset();
    if (error == QLockFile::LockFailedError) {
        throw EDataFolderInUse(
            FormatMessage(SDataFolderInUse, {QString::fromStdString(path)}).toStdString());
    }
    throw EFileStreamError("Cannot create file \"" + lockPath.toStdString() + "\". " +
                           std::strerror(error == QLockFile::PermissionError ? EACCES : EIO));
}

// Only on a user's first run; the volume control only when there is a device to set: the song
// itself is recorded without one.
void TDataFolder::ShowFirstRunNotices() {
    if (!firstTime) {
        handlers.Ready();
        return;
    }
    ui.ShowImageMessage(SFirstMessageCaption2, SFirstMessage2, Picture(2), [this] {
        ui.ShowImageMessage(SFirstMessageCaption3, SFirstMessage3, Picture(3), [this] {
            Step([this] {
                if (RecordsFromDevice()) {
                    ui.StartRecordingMixer();
                }
                ui.OpenDocument(QDir(places.ProgramFolder).filePath(QStringLiteral("readme.html")));
                handlers.Ready();
            });
        });
    });
}

bool TDataFolder::RecordsFromDevice() const {
    return LoadSettingsFile(path, std::string()).RecordSource == RecordSourceInput;
}

void TDataFolder::ShutDown() const {
    QDir().mkpath(QFileInfo(places.UserFile).path());
    ProfileFile file(places.UserFile.toStdString());
    file.WriteBool(places.DocumentsFolder, FirstTimeFlg, false);
    file.WriteString(places.DocumentsFolder, UserProfiles,
                     changeRequested ? QString() : QString::fromStdString(path));
    file.Save();
}
