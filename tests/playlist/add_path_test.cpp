#include "playlist/add_path.h"
#include "tests/playlist/shell_link_fixture.h"
#include "tests/support/temp_dir.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

struct CdCase {
    std::string path;
    std::optional<std::size_t> drive;
    int track;
};

TEST(AddPath, NamesACdTrackByTheDigitsAfterTheDriveText) {
    const std::vector<std::string> drives = {"/dev/sr0", "/discs/live 2.cue"};
    const std::vector<CdCase> cases = {
        {"/dev/sr0/Track05.cda", 0, 5},
        {"/dev/sr0", 0, 1},
        {"/dev/sr0/Track.cda", 0, 1},
        {"/discs/live 2.cue/Track12.cda", 1, 12},
        {"/dev/sr0/Track99999999999.cda", 0, 1},
        {"/dev/sr1/Track05.cda", std::nullopt, 0},
        {"/DEV/SR0/Track05.cda", std::nullopt, 0},
        {"/home/song.wav", std::nullopt, 0},
    };
    for (const CdCase& c : cases) {
        const std::optional<TCdTrackPath> track = CdTrackOfPath(c.path, drives);
        ASSERT_EQ(track.has_value(), c.drive.has_value()) << c.path;
        if (track) {
            EXPECT_EQ(track->Drive, *c.drive) << c.path;
            EXPECT_EQ(track->Track, c.track) << c.path;
        }
    }
}

TEST(AddPath, AShortcutStandsForItsTarget) {
    TempDir dir;
    const std::string target = dir.File("song.wav");
    WriteShellLink(dir.File("song.LNK"), target);
    EXPECT_EQ(ResolvedPath(dir.File("song.LNK")), target);
}

TEST(AddPath, AShortcutToAWindowsDriveNamesAPathThatIsNotHere) {
    TempDir dir;
    WriteShellLink(dir.File("windows.lnk"), "C:\\Music\\song.wav");
    EXPECT_EQ(ResolvedPath(dir.File("windows.lnk")), "C:\\Music\\song.wav");
}

TEST(AddPath, AShortcutThatCannotBeReadStaysAsItIs) {
    TempDir dir;
    std::ofstream(dir.File("broken.lnk")) << "not a shortcut";
    for (const std::string& path : {dir.File("broken.lnk"), dir.File("missing.lnk")}) {
        EXPECT_EQ(ResolvedPath(path), path);
    }
    EXPECT_EQ(ResolvedPath(dir.File("song.wav")), dir.File("song.wav"));
}

TEST(AddPath, FileNamePartEndsAtEitherSlash) {
    EXPECT_EQ(FileNamePart("/music/a b.wav"), "a b.wav");
    EXPECT_EQ(FileNamePart("C:\\music\\c.wav"), "c.wav");
    EXPECT_EQ(FileNamePart("plain.wav"), "plain.wav");
}

} // namespace
