#pragma once

#include <QString>

// The user's documents folder, as the desktop names it; it also names the user's section of
// the per-user settings file.
QString DocumentsFolder();
// The per-user settings file of the program: quavrel.ini under $XDG_CONFIG_HOME/quavrel
// (~/.config/quavrel without it), since the program folder is not writable.
QString UserSettingsFile();
