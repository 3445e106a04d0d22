#include "language_choice.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString DefaultName = QStringLiteral("quavrel_lang.ini");
// The code the Japanese file has always had, and the language of Japanese locales.
const QString JapaneseCode = QStringLiteral("jap");
const QString JapaneseLanguage = QStringLiteral("ja");
// The program's own language, that of its messages without a file.
const QString EnglishLanguage = QStringLiteral("en");

// The folder's file of the language, its name in any case (files copied from Windows are often
// in capitals); the name in the code's case when the folder holds none. A name in the code's
// case comes first, then the others in the order of their names.
QString PathOf(const QDir& folder, const QString& code) {
    const QString name = QStringLiteral("quavrel_lang.") + code + QStringLiteral(".ini");
    if (QFileInfo(folder.filePath(name)).isFile()) {
        return folder.filePath(name);
    }
    const QStringList entries = folder.entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0) {
            return folder.filePath(entry);
        }
    }
    return folder.filePath(name);
}

// The language of a locale name "language[_territory][.codeset][@modifier]", as the code of
// its file; empty for the "C" and "POSIX" locales, which are English.
QString CodeOfLocale(const QString& locale) {
    const QString language = locale.section(u'@', 0, 0).section(u'.', 0, 0).section(u'_', 0, 0);
    if (language.isEmpty() || language == QStringLiteral("C") ||
        language == QStringLiteral("POSIX")) {
        return {};
    }
    return language == JapaneseLanguage ? JapaneseCode : language;
}

// The locale the desktop gives for messages: LC_ALL, else LC_MESSAGES, else LANG (the first
// that is set and not empty); empty when none is.
QString MessagesLocale() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString value = qEnvironmentVariable(name);
        if (!value.isEmpty()) {
            return value;
        }
    }
    return {};
}

QString& Code() {
    static QString code;
    return code;
}

} // namespace

LanguageChoice ChooseLanguageFile(const QString& programFolder, const QStringList& arguments,
                                  const QStringList& locales) {
    const QDir folder(programFolder);
    // The rest of the program compares codes in small letters ("jap").
    if (arguments.size() >= 2 && arguments[0] == QStringLiteral("-lang")) {
        return {PathOf(folder, arguments[1]), arguments[1].toLower()};
    }
    for (const QString& locale : locales) {
        const QString code = CodeOfLocale(locale).toLower();
        if (code.isEmpty()) {
            break;
        }
        if (const QString path = PathOf(folder, code); QFileInfo(path).isFile()) {
            return {path, code};
        }
        if (code == EnglishLanguage) {
            break;
        }
    }
    return {folder.filePath(DefaultName), QString()};
}

QString LocaleLanguage(const QString& code) {
    return code == JapaneseCode ? JapaneseLanguage : code;
}

QStringList MessagesLanguages() {
    const QString locale = MessagesLocale();
    if (locale.isEmpty()) {
        return {};
    }
    if (CodeOfLocale(locale).isEmpty()) {
        return {locale};
    }
    QStringList languages = qEnvironmentVariable("LANGUAGE").split(u':', Qt::SkipEmptyParts);
    languages.append(locale);
    return languages;
}

const QString& LanguageCode() {
    return Code();
}

void SetLanguageCode(const QString& code) {
    Code() = code;
}
