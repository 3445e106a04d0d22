#include "language_choice.h"

#include "platform/folder_search.h"

#include <QDir>

namespace {

const QString DefaultName = QStringLiteral("quavrel_lang.ini");
const QString Base = QStringLiteral("quavrel_lang");

QString CodeInName(const QString& fileName) {
    const QString stem = fileName.left(fileName.lastIndexOf(u'.'));
    const qsizetype dot = stem.indexOf(u'.');
    return dot < 0 ? stem : stem.mid(dot + 1);
}

QString& Code() {
    static QString code;
    return code;
}

} // namespace

LanguageChoice ChooseLanguageFile(const QString& programFolder, const QStringList& arguments) {
    const QDir folder(programFolder);
    if (arguments.size() >= 2 && arguments[0] == QStringLiteral("-lang")) {
        const QString& code = arguments[1];
        return {folder.filePath(Base + u'.' + code + QStringLiteral(".ini")), code};
    }
    const QString found = FirstFileMatching(programFolder, Base + QStringLiteral("*.ini"));
    if (found.isEmpty()) {
        return {folder.filePath(DefaultName), QString()};
    }
    return {folder.filePath(found), CodeInName(found)};
}

const QString& LanguageCode() {
    return Code();
}

void SetLanguageCode(const QString& code) {
    Code() = code;
}
