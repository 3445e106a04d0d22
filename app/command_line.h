#pragma once

#include <QString>
#include <QStringList>

// quavrel [-lang CODE] [SONG...], --help, --version.
struct TCommandLine {
    // Set by "-lang CODE" as the first two arguments.
    QString LanguageCode;
    bool LanguageGiven = false;
    QStringList Songs;
    bool Help = false;
    bool Version = false;
    // Why the arguments cannot be used; empty when they can.
    QString Error;
};

extern const char* const CommandLineUsage;

// arguments: without the program's name.
TCommandLine ParseCommandLine(const QStringList& arguments);
