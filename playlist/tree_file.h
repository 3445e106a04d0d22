#pragma once

#include "platform/exception.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <string>
#include <vector>

// The tree file could not be read or written; the text names the file and the reason.
class ETreeFileError : public Exception {
public:
    using Exception::Exception;
};

// One node of the registered file tree as its file holds it.
struct TreeFileNode {
    QString Name;     // the caption
    QString FileName; // a file's path; a folder's name it was created with
    bool Folder = false;
    bool Expanded = false; // folders only
    std::vector<TreeFileNode> Children;

    bool operator==(const TreeFileNode&) const = default;
};

// What a tree file gave: the children of the root, and the first damaged line (1-based) where
// reading stopped, when there was one.
struct TreeFileContent {
    std::vector<TreeFileNode> Nodes;
    std::optional<int> DamagedLine;
};

// Bounds that keep a hostile file from exhausting the stack or the memory: a folder nested
// deeper, a node past the count or a line longer is damage, where reading stops.
inline constexpr int MaxTreeFileDepth = 256;
inline constexpr int MaxTreeFileNodes = 200000;
inline constexpr int MaxTreeFileLineBytes = 64 * 1024;
inline constexpr qint64 MaxTreeFileBytes = 64 * 1024 * 1024;

// The tree file ("quavrel_playlist.ini"): one line per node but the root, in pre-order. A line
// is as many tabs as the node's level (the root's children have level 1), then the pairs
// NAME=caption, FILENAME=file name, TYPE=FILE or FOLDER, EXPANDED=TRUE or FALSE (folders only)
// and COUNT=number of children, joined by commas; a pair holding a character up to 32, a
// double quote or a comma is written in double quotes with its quotes doubled.
//
// Reading: a line ends at LF (a CR before it is dropped); each line is UTF-8, or Shift-JIS
// when it is not valid UTF-8 (files of the Windows program). Each node is read under a parent:
// a line whose leading tab count is not the parent's level + 1 is skipped but still counts
// towards the parent's COUNT; the rest of the line is trimmed and split into pairs at commas
// and blanks (quoted pairs undoubled); keys compare without regard to case; TYPE must be
// exactly "FILE" or "FOLDER" (other lines are ignored); a folder's COUNT following lines are
// read as its children, and it is expanded when EXPANDED is exactly "TRUE". A folder's COUNT
// that is not a decimal number in the range of int is damage: reading stops at that line and
// keeps what came before (a negative COUNT reads no children).
//
// Writing: UTF-8 with LF line ends, as the program's other profile files; a line break in a
// caption or path, which would end the line, is written as a blank.
TreeFileContent ParseTreeFile(const QByteArray& bytes);
QByteArray TreeFileBytes(const std::vector<TreeFileNode>& nodes);

// The file's content; empty when there is no such file; a file longer than MaxTreeFileBytes is
// damaged at the first line past the bound. ETreeFileError when it cannot be read.
TreeFileContent ReadTreeFile(const std::string& path);
// Replaces the file only once the new one is complete (ETreeFileError when it cannot).
void WriteTreeFile(const std::string& path, const std::vector<TreeFileNode>& nodes);
