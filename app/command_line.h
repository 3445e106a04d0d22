#pragma once

#include <QString>
#include <string>
#include <vector>

// quavrel [-lang CODE] [SONG...], --help, --version.
struct TCommandLine {
    // Set by "-lang CODE" as the first two arguments.
    QString LanguageCode;
    bool LanguageGiven = false;
    // Absolute, as the bytes of their names.
    std::vector<std::string> Songs;
    bool Help = false;
    bool Version = false;
    // Why the arguments cannot be used; empty when they can.
    QString Error;
};

extern const char* const CommandLineUsage;
// What --version prints after the program's name and version.
extern const char* const CommandLineLicense;

// arguments: the bytes the program was given, without its name.
TCommandLine ParseCommandLine(const std::vector<std::string>& arguments);
