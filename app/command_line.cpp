#include "app/command_line.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

const char* const CommandLineUsage =
    "Usage: quavrel [-lang CODE] [SONG...]\n"
    "\n"
    "Plays SONG (a media file, a disc image or a CD drive) and keeps the cassettes and\n"
    "memory cards made for each song. A second start hands its songs to the running one.\n"
    "\n"
    "  -lang CODE   use the language file quavrel_lang.CODE.ini of the program folder\n"
    "  --help       show this text\n"
    "  --version    show the program's version\n";

TCommandLine ParseCommandLine(const QStringList& arguments) {
    TCommandLine line;
    int next = 0;
    if (arguments.value(0) == QStringLiteral("-lang")) {
        if (arguments.size() < 2) {
            line.Error = QStringLiteral("-lang needs a language code");
            return line;
        }
        line.LanguageCode = arguments[1];
        line.LanguageGiven = true;
        next = 2;
    }
    for (; next < arguments.size(); ++next) {
        const QString& argument = arguments[next];
        if (argument == QStringLiteral("--help") || argument == QStringLiteral("-h")) {
            line.Help = true;
        } else if (argument == QStringLiteral("--version")) {
            line.Version = true;
        } else if (argument.startsWith('-') && argument.size() > 1) {
            line.Error = QStringLiteral("Unknown argument: ") + argument;
            return line;
        } else {
            // Handed to another process maybe: absolute, so its folder does not matter.
            const QUrl url(argument);
            const QString path = url.isLocalFile() ? url.toLocalFile() : argument;
            line.Songs << QDir::cleanPath(QFileInfo(path).absoluteFilePath());
        }
    }
    return line;
}
