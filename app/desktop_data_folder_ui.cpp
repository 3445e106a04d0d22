#include "app/desktop_data_folder_ui.h"

#include "dialogs/image_message.h"
#include "platform/desktop_mixer.h"
#include "platform/shell_open.h"

#include <QFileDialog>

void TDesktopDataFolderUi::ShowImageMessage(const QString& caption, const QString& text,
                                            const QString& pictureFile) {
    ::ShowImageMessage(caption, text, QString(), QString(), pictureFile);
}

QString TDesktopDataFolderUi::ChooseFolder(const QString& proposed) {
    return QFileDialog::getExistingDirectory(nullptr, QString(), proposed);
}

void TDesktopDataFolderUi::StartRecordingMixer() {
    StartDesktopMixer(true);
}

void TDesktopDataFolderUi::OpenDocument(const QString& path) {
    ShellOpen(path);
}
