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
// regard to case). Without a line for that language (or without a language code) the English
// title, of the line "eng=", stands in. A folder without a title, or whose title is empty, is
// titled "Skin" and its place in the list, counting from 1.
TSkinList ListSkins(const QString& skinsFolder, const QString& languageCode);
