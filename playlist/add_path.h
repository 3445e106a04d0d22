#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// What AddPath hands back of what it added.
enum class TAddResult { None, All, First, Last };
// Where AddPath puts a folder in the tree: under the node at the mouse pointer, or the root.
enum class TTreePlace { AtPointer, Root };
enum class TAddTarget { PlayList, Tree };

// A path that names a track of a CD drive: it begins with the drive's text.
struct TCdTrackPath {
    std::size_t Drive = 0; // index into the drive list
    int Track = 1;
};

// The CD track a path names: the first drive whose text the path begins with (exactly, over the
// drive text's length), and the number the decimal digits after the drive text form in order
// (1 when there are none or they form too big a number). Nothing for a path on no drive. Only
// the digits after the drive text count: drive texts here (/dev/sr0) hold digits themselves.
std::optional<TCdTrackPath> CdTrackOfPath(const std::string& path,
                                          const std::vector<std::string>& drives);

// The path AddPath works with: a shortcut (".lnk", any case) is replaced by its target when it
// can be read; everything else stays as it is.
std::string ResolvedPath(const std::string& path);

// The file name part of a path: after the last "/" or "\" (files written on Windows).
std::string FileNamePart(const std::string& path);
