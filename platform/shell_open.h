#pragma once

class QString;

// Opens a document or a web address with the desktop's default program for it, as a user's
// double click would; a plain path counts as a local file.
void ShellOpen(const QString& target);
