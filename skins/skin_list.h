#pragma once

#include <QString>
#include <QStringList>

// The skins a user may choose from: folder names and menu titles, in the same order.
struct TSkinList {
    QStringList Folders;
    QStringList Titles;
};

// Every sub-folder of skinsFolder, sorted by name without regard to case, with its title for the
// interface language languageCode from its "Title.txt" (lines "code=title", codes compared without
// regard to case); a folder without one is titled "Skin" and its place in the list, counting
// from 1.
TSkinList ListSkins(const QString& skinsFolder, const QString& languageCode);
