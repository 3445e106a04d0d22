#include "folder_scan.h"

#include "actions/messages.h"
#include "playlist_error.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <algorithm>

namespace {

void Scan(const std::string& folder, TFolderScanTarget& target,
          const std::function<bool()>& stopListing, int depth) {
    if (depth > MaxScanDepth) {
        throw EPlaylistError(STooManyFiles.toStdString());
    }
    target.EnterFolder(folder);
    const TFolderListing listing = ListFolder(folder, stopListing);
    for (const std::string& subFolder : listing.Folders) {
        Scan(subFolder, target, stopListing, depth + 1);
    }
    for (const std::string& file : listing.Files) {
        target.AddFile(file);
    }
    target.LeaveFolder();
}

} // namespace

bool ListedBefore(const std::string& a, const std::string& b) {
    const QString first = QString::fromStdString(a);
    const QString second = QString::fromStdString(b);
    const int folded = first.toUpper().compare(second.toUpper(), Qt::CaseSensitive);
    return folded != 0 ? folded < 0 : first.compare(second, Qt::CaseSensitive) < 0;
}

TFolderListing ListFolder(const std::string& folder, const std::function<bool()>& stopListing) {
    TFolderListing listing;
    const QString base = QString::fromStdString(folder);
    QDirIterator entries(base,
                         QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    std::vector<std::string> folderNames;
    std::vector<std::string> fileNames;
    while (!stopListing() && entries.hasNext()) {
        entries.next();
        const QFileInfo entry = entries.fileInfo();
        (entry.isDir() ? folderNames : fileNames).push_back(entry.fileName().toStdString());
    }
    const auto inOrder = [&folder](std::vector<std::string>& names,
                                   std::vector<std::string>& paths) {
        std::sort(names.begin(), names.end(), ListedBefore);
        const std::string prefix = folder.ends_with('/') ? folder : folder + '/';
        for (const std::string& name : names) {
            paths.push_back(prefix + name);
        }
    };
    inOrder(folderNames, listing.Folders);
    inOrder(fileNames, listing.Files);
    return listing;
}

void ScanFolder(const std::string& folder, TFolderScanTarget& target,
                const std::function<bool()>& stopListing) {
    Scan(folder, target, stopListing, 1);
}
