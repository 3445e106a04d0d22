#include "folder_scan.h"

#include "actions/messages.h"
#include "playlist_error.h"

#include <QString>
#include <algorithm>
#include <filesystem>

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
    std::vector<std::string> folderNames;
    std::vector<std::string> fileNames;
    // Names are listed as the bytes they are: a name that is no valid text still names its
    // file. A folder that cannot be read lists nothing.
    std::error_code error;
    std::filesystem::directory_iterator entries(folder, error);
    for (const std::filesystem::directory_iterator end; !error && entries != end;
         entries.increment(error)) {
        if (stopListing()) {
            break;
        }
        std::error_code statusError;
        const bool isFolder = entries->is_directory(statusError);
        (isFolder ? folderNames : fileNames).push_back(entries->path().filename().string());
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
