#include "program_folder.h"

#include <QCoreApplication>
#include <QDir>

QString ProgramFolder() {
    const QDir executableFolder(QCoreApplication::applicationDirPath());
    const QString installed = executableFolder.absoluteFilePath("../share/quavrel");
    if (QDir(installed).exists()) {
        return QDir::cleanPath(installed);
    }
    return executableFolder.absolutePath();
}
