#include "storage/unsaved_recordings.h"

#include "platform/exclusive_file.h"
#include "storage/leftover_files.h"
#include "storage/song_data_file.h"
#include "storage/temp_file.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

std::string UnsavedPrefix(const std::string& songKey) {
    return NamedPrefix("Unsaved", SongName(songKey));
}

} // namespace

std::string KeepUnsavedRecording(const std::string& dataFolder, const std::string& songKey,
                                 const std::string& recording) {
    const QString name = QFileInfo(QString::fromStdString(recording)).fileName();
    if (!IsTempRecording(name)) {
        return recording;
    }
    return CreateTempFile(dataFolder, UnsavedPrefix(songKey), "wav",
                          [&](const std::string& path) { return MoveToNewName(recording, path); });
}

std::vector<std::string> UnsavedRecordingsOf(const std::string& dataFolder,
                                             const std::string& songKey) {
    const QRegularExpression kept(
        QStringLiteral("^%1\\d+\\.wav$")
            .arg(QRegularExpression::escape(QString::fromStdString(UnsavedPrefix(songKey)))),
        QRegularExpression::CaseInsensitiveOption);
    std::vector<std::string> paths;
    for (const QString& name :
         QDir(QString::fromStdString(dataFolder)).entryList(QDir::Files, QDir::Name)) {
        if (kept.match(name).hasMatch()) {
            paths.push_back(JoinPath(dataFolder, name.toStdString()));
        }
    }
    return paths;
}
