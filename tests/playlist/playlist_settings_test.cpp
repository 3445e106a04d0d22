#include "platform/profile_file.h"
#include "playlist/playlist_settings.h"
#include "tests/support/temp_dir.h"

#include <fstream>
#include <gtest/gtest.h>

namespace {

TEST(PlaylistSettings, APutAsideListRoundTripsAndLosesEntriesWhoseFileIsGone) {
    TempDir dir;
    std::ofstream(dir.File("a b.wav")) << "x";
    std::ofstream(dir.File("c.wav")) << "x";
    TSavedPlayList saved;
    saved.Preserved = true;
    saved.Entries = {{"Name, \"quoted\"", dir.File("a b.wav")},
                     {"gone", dir.File("gone.wav")},
                     {"", dir.File("c.wav")}};
    saved.TreeWidth = 321;
    ProfileFile file(dir.File("quavrel.ini"));
    WritePlayList(file, saved);
    file.Save();

    const TSavedPlayList read = ReadPlayList(ProfileFile(dir.File("quavrel.ini")));
    EXPECT_TRUE(read.Preserved);
    const std::vector<TPlayListEntry> expected = {{"Name, \"quoted\"", dir.File("a b.wav")},
                                                  {"c.wav", dir.File("c.wav")}};
    EXPECT_EQ(read.Entries, expected);
    EXPECT_EQ(read.TreeWidth, 321);
}

TEST(PlaylistSettings, AShorterListLeavesHigherKeysThatFileCountNoLongerReads) {
    TempDir dir;
    std::ofstream(dir.File("a.wav")) << "x";
    ProfileFile file;
    WritePlayList(file, {false, {{"a", dir.File("a.wav")}, {"b", dir.File("a.wav")}}, 200});
    WritePlayList(file, {false, {{"only", dir.File("a.wav")}}, 200});
    EXPECT_TRUE(file.ValueExists(PlaylistSection, "Files[1]"));
    const TSavedPlayList read = ReadPlayList(file);
    ASSERT_EQ(read.Entries.size(), 1u);
    EXPECT_EQ(read.Entries.front().Name, "only");
    EXPECT_FALSE(read.Preserved);
}

TEST(PlaylistSettings, NumbersFromTheFileAreBounded) {
    const ProfileFile file = ProfileFile::FromBytes("[PlaylistFrm]\r\nFileCount=2000000000\r\n"
                                                    "FileTreeView.Width=-5\r\nWidth=99999\r\n"
                                                    "Height=1\r\nLeft=-4000\r\nTop=300\r\n");
    EXPECT_TRUE(ReadPlayList(file).Entries.empty());
    EXPECT_EQ(ReadPlayList(file).TreeWidth, 0);
    const QRect bounds = ReadWindowBounds(file, QRect(0, 0, 1024, 768));
    EXPECT_EQ(bounds, QRect(0, 300, 1024, MinWindowSize));
}

TEST(PlaylistSettings, TheWindowStandsInTheMiddleByDefaultAndBoundsRoundTrip) {
    ProfileFile file;
    EXPECT_EQ(ReadWindowBounds(file, QRect(0, 0, 1024, 768)), QRect(192, 144, 640, 480));
    WriteWindowBounds(file, QRect(10, 20, 300, 200));
    EXPECT_EQ(ReadWindowBounds(file, QRect(0, 0, 1024, 768)), QRect(10, 20, 300, 200));
    WriteOpenDialogFileName(file, "/music/a.wav");
    EXPECT_EQ(ReadOpenDialogFileName(file), "/music/a.wav");
}

} // namespace
