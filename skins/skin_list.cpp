#include "skin_list.h"

#include "actions/message_format.h"
#include "actions/messages.h"
#include "picture_file.h"
#include "platform/text_decoding.h"
#include "skin_line.h"

#include <QDir>
#include <QFileInfo>
#include <optional>

namespace {

// The language of the program's own texts: a skin's title in it stands in for a language the
// skin has no line for, and for an interface without a language file.
const QString EnglishCode = QStringLiteral("eng");

// The lines of a title file; none when there is no such file.
QStringList TitleLines(const QString& titleFile) {
    if (!QFileInfo(titleFile).isFile()) {
        return {};
    }
    QStringList lines = DecodeLanguageText(ReadSkinFile(titleFile)).split(u'\n');
    for (QString& line : lines) {
        if (line.endsWith(u'\r')) {
            line.chop(1);
        }
    }
    return lines;
}

// The title of the first line whose key is the language code, empty as the line gives it;
// nothing when no line has that key.
std::optional<QString> TitleFor(const QStringList& lines, const QString& languageCode) {
    if (languageCode.isEmpty()) {
        return std::nullopt;
    }
    for (const QString& line : lines) {
        const qsizetype equals = line.indexOf(u'=');
        if (equals >= 0 &&
            QStringView(line).left(equals).compare(languageCode, Qt::CaseInsensitive) == 0) {
            return line.mid(equals + 1, MaxSkinValueLength);
        }
    }
    return std::nullopt;
}

} // namespace

TSkinList ListSkins(const QString& skinsFolder, const QString& languageCode) {
    TSkinList skins;
    const QDir folder(skinsFolder);
    skins.Folders = folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                                     QDir::Name | QDir::IgnoreCase);
    for (qsizetype i = 0; i < skins.Folders.size(); ++i) {
        const QStringList lines =
            TitleLines(folder.filePath(skins.Folders[i] + QStringLiteral("/Title.txt")));
        std::optional<QString> title = TitleFor(lines, languageCode);
        if (!title) {
            title = TitleFor(lines, EnglishCode);
        }
        skins.Titles << (title && !title->isEmpty()
                             ? *title
                             : FormatMessage(SSkinDefaultTitle, {static_cast<int>(i + 1)}));
    }
    return skins;
}
