#include "playlist/folder_scan.h"
#include "playlist/playlist_error.h"
#include "tests/support/temp_dir.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

void Touch(const std::string& path) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path) << "x";
}

// Writes what the scan meets, relative to the scanned folder: "+folder", files, "-".
class Recorder : public TFolderScanTarget {
public:
    explicit Recorder(std::string base) : base(std::move(base)) {}
    void EnterFolder(const std::string& folder) override { log.push_back("+" + Relative(folder)); }
    void AddFile(const std::string& path) override { log.push_back(Relative(path)); }
    void LeaveFolder() override { log.push_back("-"); }

    std::vector<std::string> log;

private:
    std::string Relative(const std::string& path) const {
        return path == base ? "." : path.substr(base.size() + 1);
    }
    std::string base;
};

const auto Never = [] { return false; };

TEST(FolderScan, SubFoldersFirstThenFilesEachSortedAsWindowsListsThem) {
    TempDir dir;
    const std::string top = dir.File("top");
    for (const char* name : {"b.wav", "A.wav", "c.WAV", "_x.wav", "Zeta/one.wav", "alpha/Two.wav",
                             "alpha/one.wav", ".hidden"}) {
        Touch(top + "/" + name);
    }
    Recorder scan(top);
    ScanFolder(top, scan, Never);
    const std::vector<std::string> expected = {
        "+.", "+alpha",  "alpha/one.wav", "alpha/Two.wav", "-",     "+Zeta",  "Zeta/one.wav",
        "-",  ".hidden", "A.wav",         "b.wav",         "c.WAV", "_x.wav", "-"};
    EXPECT_EQ(scan.log, expected);
}

TEST(FolderScan, FollowsSymbolicLinksToFoldersAndFiles) {
    TempDir dir;
    Touch(dir.File("elsewhere/song.wav"));
    fs::create_directories(dir.File("top"));
    fs::create_directory_symlink(dir.File("elsewhere"), dir.File("top/linked"));
    fs::create_symlink(dir.File("elsewhere/song.wav"), dir.File("top/song link.wav"));
    Recorder scan(dir.File("top"));
    ScanFolder(dir.File("top"), scan, Never);
    const std::vector<std::string> expected = {"+.", "+linked",       "linked/song.wav",
                                               "-",  "song link.wav", "-"};
    EXPECT_EQ(scan.log, expected);
}

TEST(FolderScan, SixLevelsDeepKeepsWhatCameBeforeThenStops) {
    TempDir dir;
    const std::string top = dir.File("1");
    Touch(top + "/2/a.wav");
    Touch(top + "/2/3/0/early.wav");
    Touch(top + "/2/3/4/5/b.wav");
    Touch(top + "/2/3/4/5/6/deep.wav");
    Touch(top + "/2/3/4/5/7/never.wav");
    Touch(top + "/z.wav");
    Recorder scan(top);
    try {
        ScanFolder(top, scan, Never);
        FAIL() << "the sixth level was scanned";
    } catch (const EPlaylistError& error) {
        EXPECT_EQ(error.Message(), "Error! Too many files.");
    }
    const std::vector<std::string> expected = {
        "+.", "+2", "+2/3", "+2/3/0", "2/3/0/early.wav", "-", "+2/3/4", "+2/3/4/5"};
    EXPECT_EQ(scan.log, expected);
}

TEST(FolderScan, FiveLevelsAreScannedWhole) {
    TempDir dir;
    Touch(dir.File("1/2/3/4/5/deep.wav"));
    Recorder scan(dir.File("1"));
    ScanFolder(dir.File("1"), scan, Never);
    EXPECT_EQ(scan.log.size(), 11u);
    EXPECT_EQ(scan.log[5], "2/3/4/5/deep.wav");
}

TEST(FolderScan, ListingStopsWhenAskedAndKeepsWhatItHas) {
    TempDir dir;
    Touch(dir.File("top/a.wav"));
    Touch(dir.File("top/b.wav"));
    int asked = 0;
    const TFolderListing listing = ListFolder(dir.File("top"), [&asked] { return ++asked > 1; });
    EXPECT_EQ(listing.Files.size(), 1u);
    EXPECT_TRUE(listing.Folders.empty());
}

} // namespace
