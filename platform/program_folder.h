#pragma once

#include <QString>

// The folder of the program's read-only resources (skins, language files, readme): next to
// the executable in a build tree, share/quavrel beside its bin folder once installed.
QString ProgramFolder();
