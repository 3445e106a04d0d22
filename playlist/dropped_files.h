#pragma once

#include <string>
#include <vector>

class QMimeData;

// The local files among addresses dropped from a file manager, in listing order, each the bytes
// of its name: a name that is no valid text still names its file.
std::vector<std::string> DroppedLocalFiles(const QMimeData& data);
