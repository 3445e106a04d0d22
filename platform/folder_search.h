#pragma once

#include <QString>

// The first file in folder whose name matches the wildcard pattern (such as "name*.ini"), in
// the order the file system lists the folder; the empty text when none matches.
QString FirstFileMatching(const QString& folder, const QString& pattern);
