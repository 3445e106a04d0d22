#include "data_folder_picker.h"

#include "actions/messages.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

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
    if (auto* buttons = findChild<QDialogButtonBox*>()) {
        choose = buttons->button(QDialogButtonBox::Open);
    }
    if (choose != nullptr) {
        choose->installEventFilter(this);
        choose->setEnabled(choose->isEnabled() || NewFolderTyped());
    }
}

bool TDataFolderPicker::NewFolderTyped() const {
    const auto* name = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    const QStringList chosen = selectedFiles();
    return name != nullptr && !name->text().isEmpty() && chosen.size() == 1 &&
           !QFileInfo::exists(chosen.front());
}

bool TDataFolderPicker::eventFilter(QObject* watched, QEvent* event) {
    if (watched == choose && event->type() == QEvent::EnabledChange && !choose->isEnabled() &&
        NewFolderTyped()) {
        choose->setEnabled(true);
    }
    return QFileDialog::eventFilter(watched, event);
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
