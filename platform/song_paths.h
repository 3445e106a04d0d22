#pragma once

#include <string>

class QUrl;

// A song's name is the bytes the system gives, from the command line or a drop to the player:
// a file's name need not be valid in any encoding, so it never passes through text.

// The local file a file: URL names, its escapes decoded to the bytes they stand for; empty when
// the URL names no local file.
std::string LocalFileOf(const QUrl& url);

// The absolute path, without "." and ".." parts, of a name given from the current folder.
std::string AbsolutePath(const std::string& path);
