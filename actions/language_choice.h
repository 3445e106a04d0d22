#pragma once

#include <QString>
#include <QStringList>

struct LanguageChoice {
    QString Path;
    // "jap" for Japanese; chooses fonts and skin titles. Empty when no file names one.
    QString Code;
};

// The language file: "-lang CODE" as the first two arguments (those after the program name)
// gives programFolder/quavrel_lang.CODE.ini; otherwise the first quavrel_lang*.ini the folder
// lists, whose code is what its name holds between the first "." and ".ini"; otherwise
// programFolder/quavrel_lang.ini, with no code.
LanguageChoice ChooseLanguageFile(const QString& programFolder, const QStringList& arguments);

// The interface language's code for the whole program, set once at start-up.
const QString& LanguageCode();
void SetLanguageCode(const QString& code);
