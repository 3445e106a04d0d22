#pragma once

#include <QString>

// Paints every picture that sourceFolder/skin.xml names into outFolder, in the look of the
// palette named by the skin's folder, and copies skin.xml and Title.txt beside them.
void PaintSkin(const QString& sourceFolder, const QString& outFolder);
