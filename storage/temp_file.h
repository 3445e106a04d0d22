#pragma once

#include "platform/exception.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <string>

// A temporary name could not be found: every name drawn was taken.
class ETempFileError : public Exception {
public:
    using Exception::Exception;
};

// Draws a number in 0 .. 2147483646.
using TRandomDraw = std::function<std::int32_t()>;
// Makes a file of the given name; false when the name is taken already.
using TCreateFile = std::function<bool(const std::string& path)>;

// The program's own generator, seeded once from the tick count.
std::int32_t DrawTempNumber();

// folder joined with name by a single "/" (none added when folder ends with one).
std::string JoinPath(const std::string& folder, const std::string& name);

// The prefix "WORD - NAME - " of a file name that CreateTempFile completes with a number and
// ".wav": the name on one line (each line break a blank, as the song data writes names), and
// shortened so that the whole file name fits in the 255 bytes a name may have.
std::string NamedPrefix(const std::string& word, QString name);

// Makes the file folder/prefix<n>.extension for a random n through create, drawing n again
// while the name is taken, and returns its path. The file is made at once, so nobody else can
// take the name between the choice and its use. Raises ETempFileError
// (STmpFile_FailedCreation) after 10000 names that were all taken; other errors of create
// pass on at once.
std::string CreateTempFile(const std::string& folder, const std::string& prefix,
                           const std::string& extension, const TCreateFile& create = {},
                           const TRandomDraw& draw = DrawTempNumber);
