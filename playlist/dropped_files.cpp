#include "dropped_files.h"

#include "folder_scan.h"
#include "platform/song_paths.h"

#include <QMimeData>
#include <QUrl>
#include <algorithm>

std::vector<std::string> DroppedLocalFiles(const QMimeData& data) {
    std::vector<std::string> paths;
    for (const QUrl& url : data.urls()) {
        if (std::string path = LocalFileOf(url); !path.empty()) {
            paths.push_back(std::move(path));
        }
    }
    std::sort(paths.begin(), paths.end(), ListedBefore);
    return paths;
}
