#include "storage/leftover_files.h"

#include "actions/message_format.h"
#include "actions/messages.h"
#include "platform/file_stream.h"
#include "platform/profile_file.h"
#include "storage/song_data_file.h"
#include "storage/temp_file.h"

#include <QDir>
#include <QRegularExpression>

std::set<QString> RecordingsNamedIn(const ProfileFile& songData) {
    static const QRegularExpression waveFileKey(QStringLiteral("^WaveFrm\\d+\\.WaveFile$"),
                                                QRegularExpression::CaseInsensitiveOption);
    std::set<QString> named;
    songData.ForEachValue([&](const QString&, const QString& key, const QString& value) {
        if (waveFileKey.match(key).hasMatch()) {
            named.insert(
                value.mid(std::max(value.lastIndexOf(u'/'), value.lastIndexOf(u'\\')) + 1));
        }
    });
    return named;
}

bool IsTempRecording(const QString& fileName) {
    static const QRegularExpression recording(QStringLiteral("^tmp\\d+\\.wav$"));
    return recording.match(fileName).hasMatch();
}

QStringList LeftoverFiles(const QStringList& folderFiles, const std::set<QString>& named) {
    static const QRegularExpression savedCopy(QStringLiteral("^SaveData - .* - \\d+\\.wav$"));
    QStringList leftovers;
    for (const QString& name : folderFiles) {
        if ((IsTempRecording(name) || savedCopy.match(name).hasMatch()) && !named.contains(name)) {
            leftovers << name;
        }
    }
    return leftovers;
}

QStringList LeftoverFilesIn(const std::string& dataFolder) {
    const ProfileFile songData(JoinPath(dataFolder, SongDataFileName));
    const QStringList files =
        QDir(QString::fromStdString(dataFolder)).entryList(QDir::Files, QDir::Name);
    return LeftoverFiles(files, RecordingsNamedIn(songData));
}

void OfferLeftoverDeletion(const std::string& dataFolder, TLeftoverQuestions& questions) {
    const QStringList leftovers = LeftoverFilesIn(dataFolder);
    if (leftovers.isEmpty()) {
        return;
    }
    const QString caption = SMSG_FOUNDDISUSEFILESCAPTION;
    const auto answer = questions.AskReadList(
        caption, FormatMessage(SMSG_FOUNDDISUSEFILES, {static_cast<int>(leftovers.size())}));
    if (answer == TLeftoverQuestions::TListAnswer::Stop) {
        return;
    }
    if (answer == TLeftoverQuestions::TListAnswer::ShowList) {
        questions.Inform(caption, leftovers.join(u'\r'));
    }
    if (!questions.Confirm(caption, SMSG_CONFIRMDELETEDISUSEFILE)) {
        return;
    }
    int deleted = 0;
    QStringList failures;
    for (const QString& name : leftovers) {
        try {
            FileStream::Delete(JoinPath(dataFolder, name.toStdString()));
            ++deleted;
        } catch (const std::exception& error) {
            failures << FormatMessage(SMSG_FAILEDDELETE, {QString::fromStdString(error.what())});
        }
    }
    if (!failures.isEmpty()) {
        questions.Inform(caption, failures.join(u'\r'));
    }
    questions.Inform(caption, FormatMessage(SMSG_DONEDELETE, {deleted}));
}
