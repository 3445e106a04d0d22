#pragma once

#include <QString>
#include <QStringList>

struct LanguageChoice {
    QString Path;
    // "jap" for Japanese; chooses fonts and skin titles. Empty for English.
    QString Code;
};

// The language file: "-lang CODE" as the first two arguments (those after the program name)
// gives programFolder/quavrel_lang.CODE.ini. Otherwise each of the desktop's locales for
// messages in turn (such as "ja_JP.UTF-8") names the code of its language ("jap" for "ja", the
// language itself for others), and that file is taken when the folder holds it; English ("en",
// "C", "POSIX") without a file of its own ends the search. The file's name may be in any case,
// and the code is given in small letters. Otherwise English: programFolder/quavrel_lang.ini,
// with no code. Other files in the folder are never taken in their place, so several installed
// languages do not make the choice depend on their order.
LanguageChoice ChooseLanguageFile(const QString& programFolder, const QStringList& arguments,
                                  const QStringList& locales);

// The language of the locale a language code stands for: "ja" for "jap", the code itself for
// others; empty for English (no code).
QString LocaleLanguage(const QString& code);

// The locales the desktop gives for messages, the preferred first, as gettext reads them: the
// languages LANGUAGE lists (colon-separated), then the locale LC_ALL, else LC_MESSAGES, else
// LANG names (the first that is set and not empty). With the "C" or "POSIX" locale that locale
// alone, with none nothing: LANGUAGE is not read then.
QStringList MessagesLanguages();

// The interface language's code for the whole program, set once at start-up.
const QString& LanguageCode();
void SetLanguageCode(const QString& code);
