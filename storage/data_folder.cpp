#include "storage/data_folder.h"

#include "actions/message_format.h"
#include "actions/messages.h"
#include "platform/exclusive_file.h"
#include "platform/file_stream.h"
#include "platform/profile_file.h"
#include "platform/program_folder.h"
#include "platform/user_folders.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <cerrno>
#include <cstring>

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

bool TDataFolder::StartUp() {
    const ProfileFile file(places.UserFile.toStdString());
    const bool firstTime = file.ReadBool(places.DocumentsFolder, FirstTimeFlg, true);
    QString folder = file.ReadString(places.DocumentsFolder, UserProfiles, QString());
    path = folder.toStdString();
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        if (!ChooseDataFolder()) {
            return false;
        }
    } else {
        Lock();
    }
    if (firstTime) {
        ShowFirstRunNotices();
    }
    return true;
}

bool TDataFolder::ChooseDataFolder() {
    const QString proposed = QDir(places.DocumentsFolder).filePath(QStringLiteral("Quavrel"));
    ui.ShowImageMessage(SFirstMessageCaption1,
                        SFirstMessage1_1 + u'\r' + SFirstMessage1_3 + u'\r' +
                            SFirstMessage_ClickToContinue,
                        Picture(1));
    // Where it cannot be made, the dialog starts at the nearest folder that exists.
    QDir().mkpath(proposed);
    const QString chosen = ui.ChooseFolder(proposed);
    if (chosen.isEmpty()) {
        path.clear();
        return false;
    }
    path = chosen.toStdString();
    Lock();
    const QString defaultKeys = QDir(places.ProgramFolder).filePath(KeyFileName);
    if (QFileInfo(defaultKeys).isFile()) {
        // A key file the folder holds already stays as it is.
        CopyToNewFile(defaultKeys.toStdString(), QDir(chosen).filePath(KeyFileName).toStdString());
    }
    return true;
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

void TDataFolder::ShowFirstRunNotices() {
    ui.ShowImageMessage(SFirstMessageCaption2, SFirstMessage2, Picture(2));
    ui.ShowImageMessage(SFirstMessageCaption3, SFirstMessage3, Picture(3));
    ui.StartRecordingMixer();
    ui.OpenDocument(QDir(places.ProgramFolder).filePath(QStringLiteral("readme.html")));
}

void TDataFolder::ShutDown() const {
    QDir().mkpath(QFileInfo(places.UserFile).path());
    ProfileFile file(places.UserFile.toStdString());
    file.WriteBool(places.DocumentsFolder, FirstTimeFlg, false);
    file.WriteString(places.DocumentsFolder, UserProfiles,
                     changeRequested ? QString() : QString::fromStdString(path));
    file.Save();
}
