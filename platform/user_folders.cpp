#include "user_folders.h"

#include <QDir>
#include <QStandardPaths>

QString DocumentsFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QString UserSettingsFile() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("quavrel/quavrel.ini"));
}
