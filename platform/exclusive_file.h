#pragma once

#include <string>

// Files that must be new: created with O_EXCL, so two processes (or a name drawn twice) can
// never end up sharing one. Errors other than "the name is taken" raise EFileStreamError with
// the path and the system's reason.

// Creates path as a new, empty file. False when something of that name exists already.
bool CreateNewFile(const std::string& path);

// Copies the file source to target, which must not exist yet: false when it does. A copy that
// fails half-way is removed again.
bool CopyToNewFile(const std::string& source, const std::string& target);

// Copies the file source over target through a temporary file beside it, flushed to disk and
// renamed over target once complete: target is the old file or the whole copy, never part of
// one. EFileStreamError with the path and the reason when that fails; nothing is left then.
void CopyReplacing(const std::string& source, const std::string& target);

// Gives the file source the name target, which must not exist yet: false when it does.
// Nothing is copied, so it works on a full disk; both names must be in one file system.
bool MoveToNewName(const std::string& source, const std::string& target);

// Gives the file source the name target, replacing a file of that name at once: target is the
// old file or the new one, never part of either. Both names must be in one file system.
// EFileStreamError with the names and the reason when that fails.
void MoveReplacing(const std::string& source, const std::string& target);
