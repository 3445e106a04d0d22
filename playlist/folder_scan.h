#pragma once

#include <functional>
#include <string>
#include <vector>

// What a folder scan finds, in the order it finds it: each folder is entered, its sub-folders
// scanned, its files added, and then it is left.
class TFolderScanTarget {
public:
    virtual ~TFolderScanTarget() = default;
    virtual void EnterFolder(const std::string& folder) = 0;
    virtual void AddFile(const std::string& path) = 0;
    virtual void LeaveFolder() = 0;
};

// The deepest folder a scan enters, counting the folder it starts at as 1.
inline constexpr int MaxScanDepth = 5;

struct TFolderListing {
    std::vector<std::string> Folders; // paths, symbolic links to folders among them
    std::vector<std::string> Files;   // paths of everything else
};

// Whether two names stand in this order in a folder listing as Windows gives it: compared
// without regard to case, as upper case; names that differ only in case by their own code.
bool ListedBefore(const std::string& a, const std::string& b);

// The entries of folder but "." and "..", hidden ones too, each list in listing order. The
// listing ends early, with what it has, once stopListing says so (it is asked before each entry).
TFolderListing ListFolder(const std::string& folder, const std::function<bool()>& stopListing);

// Scans folder: enters it, scans each sub-folder, adds each file, leaves it. A folder deeper
// than MaxScanDepth ends the scan with EPlaylistError (STooManyFiles); what was found before
// stays with the target.
void ScanFolder(const std::string& folder, TFolderScanTarget& target,
                const std::function<bool()>& stopListing);
