#pragma once

#include <QString>

class SkinTarget;

// Loads the skin folder target.SkinsFolder() + name: the main window takes the skin's size,
// picture, colour and shape and its controls, filed into the control groups; the parameters
// take the cassette and memory-card looks and the time texts' placement. False, with nothing
// changed, when the folder or its "skin.xml" is missing. False too when the description has
// a fault: the user is told the line and the reason, and the window is left in the plain
// look and shown.
bool LoadSkin(SkinTarget& target, const QString& name);

// The plain look: a 500 by 500 window with border and caption, no picture, no shape; the
// cassette and memory-card looks and the text colours cleared; every control of the groups
// destroyed.
void ResetSkin(SkinTarget& target);

// Loads the skin name, or "default" when that fails; the name of the skin now in use, which
// the settings keep.
QString LoadSkinOrDefault(SkinTarget& target, const QString& name);
