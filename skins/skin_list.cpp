#include "skin_list.h"

#include "actions/message_format.h"
#include "actions/messages.h"
#include "picture_file.h"
#include "platform/text_decoding.h"
#include "skin_line.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The title of the first line whose key is the language code; empty when there is none.
QString TitleFor(const QString& titleFile, const QString& languageCode) {
    if (!QFileInfo(titleFile).isFile()) {
        return {};
    }
    const QString text = DecodeLanguageText(ReadSkinFile(titleFile));
    for (QString line : text.split(u'\n')) {
        if (line.endsWith(u'\r')) {
            line.chop(1);
        }
        const qsizetype equals = line.indexOf(u'=');
        if (equals >= 0 &&
            QStringView(line).left(equals).compare(languageCode, Qt::CaseInsensitive) == 0) {
            return line.mid(equals + 1, MaxSkinValueLength);
        }
    }
    return {};
}

} // namespace

TSkinList ListSkins(const QString& skinsFolder, const QString& languageCode) {
    TSkinList skins;
    const QDir folder(skinsFolder);
    skins.Folders = folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                                     QDir::Name | QDir::IgnoreCase);
    for (qsizetype i = 0; i < skins.Folders.size(); ++i) {
        QString title = TitleFor(folder.filePath(skins.Folders[i] + QStringLiteral("/Title.txt")),
                                 languageCode);
        if (title.isEmpty()) {
            title = FormatMessage(SSkinDefaultTitle, {static_cast<int>(i + 1)});
        }
        skins.Titles << title;
    }
    return skins;
}
