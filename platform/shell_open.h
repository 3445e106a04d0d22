#pragma once

class QString;

// Opens a document or a web address with the desktop's default program for it, as a user's
// double click would; a plain path counts as a local file. False when the desktop has no
// program to open it with.
bool ShellOpen(const QString& target);
