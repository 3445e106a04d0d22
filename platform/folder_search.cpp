#include "folder_search.h"

#include <QDirIterator>

QString FirstFileMatching(const QString& folder, const QString& pattern) {
    QDirIterator files(folder, {pattern}, QDir::Files | QDir::Hidden);
    if (!files.hasNext()) {
        return {};
    }
    files.next();
    return files.fileName();
}
