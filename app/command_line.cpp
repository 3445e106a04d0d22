#include "app/command_line.h"

#include "platform/song_paths.h"

#include <QUrl>

const char* const CommandLineUsage =
    "Usage: quavrel [-lang CODE] [SONG...]\n"
    "\n"
    "Plays SONG (a media file, a disc image or a CD drive) and keeps the cassettes and\n"
    "memory cards made for each song. A second start hands its songs to the running one.\n"
    "\n"
    "  -lang CODE   use the language file quavrel_lang.CODE.ini of the program folder\n"
    "  --help       show this text\n"
    "  --version    show the program's version and license\n";

const char* const CommandLineLicense =
    "License GPL-3.0-or-later: GNU GPL version 3 or later "
    "<https://www.gnu.org/licenses/gpl-3.0.html>\n"
    "This is free software: you are free to change and redistribute it.\n"
    "There is NO WARRANTY, to the extent permitted by law.\n";

TCommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    TCommandLine line;
    std::size_t next = 0;
    if (!arguments.empty() && arguments[0] == "-lang") {
        if (arguments.size() < 2) {
            line.Error = QStringLiteral("-lang needs a language code");
            return line;
        }
        line.LanguageCode = QString::fromLocal8Bit(arguments[1]);
        line.LanguageGiven = true;
        next = 2;
    }
    for (; next < arguments.size(); ++next) {
        const std::string& argument = arguments[next];
        if (argument == "--help" || argument == "-h") {
            line.Help = true;
        } else if (argument == "--version") {
            line.Version = true;
        } else if (argument.starts_with('-') && argument.size() > 1) {
            line.Error = QStringLiteral("Unknown argument: ") + QString::fromLocal8Bit(argument);
            return line;
        } else {
            std::string path = argument;
            if (argument.starts_with("file:")) {
                if (std::string file = LocalFileOf(QUrl::fromEncoded(argument.c_str()));
                    !file.empty()) {
                    path = std::move(file);
                }
            }
            // Handed to another process maybe: absolute, so its folder does not matter.
            line.Songs.push_back(AbsolutePath(path));
        }
    }
    return line;
}
