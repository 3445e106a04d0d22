#include "data_folder_picker.h"

#include "actions/messages.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The nearest folder of path that exists, and what is left of path below it.
std::pair<QString, QString> ExistingStart(const QString& path) {
    QFileInfo start(QDir::cleanPath(path));
    QString rest = start.fileName();
    start = QFileInfo(start.path());
    while (!start.isDir() && !start.isRoot()) {
        rest = start.fileName() + u'/' + rest;
        start = QFileInfo(start.path());
    }
    return {start.filePath(), rest};
}

} // namespace

TDataFolderPicker::TDataFolderPicker(const QString& proposed, QWidget* parent)
    : QFileDialog(parent, SChooseDataFolderCaption) {
    setObjectName(QStringLiteral("DataFolderPicker"));
    // The desktop's own dialogs cannot propose a folder that does not exist yet.
    setOption(QFileDialog::DontUseNativeDialog);
    setOption(QFileDialog::ShowDirsOnly);
    setFileMode(QFileDialog::Directory);
    const auto [start, name] = ExistingStart(proposed);
    setDirectory(start);
    selectFile(name);
}

void TDataFolderPicker::accept() {
    const QStringList chosen = selectedFiles();
    if (chosen.size() == 1 && !QFileInfo::exists(chosen.front())) {
        folder = QDir::cleanPath(chosen.front());
        done(QDialog::Accepted);
        return;
    }
    if (chosen.size() == 1) {
        folder = QDir::cleanPath(chosen.front());
    }
    QFileDialog::accept();
}
