#include "platform/profile_file.h"
#include "storage/settings_file.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

namespace {

// Every stored setting away from its default.
Settings Changed() {
    Settings s = DefaultSettings("jap");
    s.WaveFormatIdx = 3;
    s.CheckDisuseFile = false;
    s.RecordSource = 1;
    s.StretchEngine = 1;
    s.Top = -20;
    s.Left = 1500;
    s.FileName = "/music/Some \"live\" take.mp3";
    s.JumpToStartWhenSwitchOn = false;
    s.StopCDPlayerWhenExit = false;
    s.MainFrmSearchSpeed = 30;
    s.AddToTreeWhenDroped = true;
    s.LinearStretch = true;
    s.PosChangeType = 0;
    s.CheckMinimizeKeyWhileInactive = true;
    s.MainFrmRightClicked = 4;
    s.MainFrmDoubleClicked = 3;
    s.WaveFrmDoubleClicked = 3;
    s.AutoStartRepeating = true;
    s.CDPlayerPlaying = true;
    s.CDPlayerPosition = 123456;
    s.CassettesVisible = false;
    s.HintType = 1;
    s.SkinName = "default";
    s.MainfrmTitleFont = {"Arial", 1, 0x0000ff, 12, true, false, true, false};
    s.MainfrmTimeFont = {"Courier", 0, -16777208, 8, false, true, false, true};
    s.WavefrmFont = {" Spaced ", 128, 0, 10, true, true, true, true};
    s.RepeatfrmFont = {"Default", 2, 255, 7, false, false, false, false};
    s.PlaybackEngine = 1;
    s.Practice = {75, -1230, 50, 10, 90, true};
    return s;
}

TEST(SettingsFile, WithoutAFileTheDefaultsOfTheLanguage) {
    TempDir data;
    EXPECT_EQ(LoadSettingsFile(data.Path(), "jap"), DefaultSettings("jap"));
    EXPECT_EQ(LoadSettingsFile(data.Path(), ""), DefaultSettings(""));
}

TEST(SettingsFile, EverySettingComesBackAndOtherKeysStay) {
    TempDir data;
    ProfileFile playlist(data.File("quavrel.ini"));
    playlist.WriteInteger("PlaylistFrm", "W", 5);
    playlist.Save();
    SaveSettingsFile(data.Path(), Changed());
    EXPECT_EQ(LoadSettingsFile(data.Path(), "jap"), Changed());
    const ProfileFile file(data.File("quavrel.ini"));
    EXPECT_EQ(file.ReadInteger("PlaylistFrm", "W", 0), 5);
    EXPECT_EQ(file.Value("MainFrm", "CDPlayer.Playing"), "1");
    EXPECT_EQ(file.Value("Font.MainfrmTitle", "Style.Underline"), "1");
    EXPECT_EQ(file.Value("Skin", "FileName"), "default");
}

TEST(SettingsFile, AFileOfTheWindowsProgramIsRead) {
    const ProfileFile file = ProfileFile::FromBytes("[Application]\r\n"
                                                    "WaveFormatIdx=5\r\n"
                                                    "CheckDisuseFile=0\r\n"
                                                    "[MainFrm]\r\n"
                                                    "Top=100\r\n"
                                                    "Left=200\r\n"
                                                    "FileName=C:\\Music\\song.mp3\r\n"
                                                    "PosChangeType=1\r\n"
                                                    "HintType=0\r\n"
                                                    "CDPlayer.Position=5000\r\n"
                                                    "[Font.Wavefrm]\r\n"
                                                    "Name=Arial\r\n"
                                                    "Style.Bold=1\r\n"
                                                    "[Skin]\r\n"
                                                    "FileName=default\r\n");
    const Settings s = ReadSettings(file, "");
    EXPECT_EQ(s.WaveFormatIdx, 5);
    EXPECT_FALSE(s.CheckDisuseFile);
    EXPECT_EQ(s.Top, 100);
    EXPECT_EQ(s.Left, 200);
    EXPECT_EQ(s.FileName, "C:\\Music\\song.mp3");
    EXPECT_EQ(s.PosChangeType, 1);
    EXPECT_EQ(s.HintType, 0);
    EXPECT_EQ(s.CDPlayerPosition, 5000);
    EXPECT_EQ(s.WavefrmFont.Name, "Arial");
    EXPECT_TRUE(s.WavefrmFont.Bold);
    EXPECT_EQ(s.WavefrmFont.Size, 9);
    EXPECT_EQ(s.SkinName, "default");
    EXPECT_EQ(s.MainfrmTimeFont, DefaultSettings("").MainfrmTimeFont);
}

TEST(SettingsFile, ValuesTheProgramCannotUseGiveTheirDefaults) {
    const Settings defaults = DefaultSettings("");
    const struct {
        const char* section;
        const char* key;
        const char* value;
        int Settings::*member;
        int expected;
    } cases[] = {
        {"MainFrm", "MainFrmSearchSpeed", "0", &Settings::MainFrmSearchSpeed, 10},
        {"MainFrm", "MainFrmSearchSpeed", "-5", &Settings::MainFrmSearchSpeed, 10},
        {"MainFrm", "MainFrmSearchSpeed", "7", &Settings::MainFrmSearchSpeed, 7},
        // 0 is the menus' "None".
        {"MainFrm", "MainFrmRightClicked", "0", &Settings::MainFrmRightClicked, 0},
        {"MainFrm", "MainFrmRightClicked", "-1", &Settings::MainFrmRightClicked, 1},
        {"MainFrm", "MainFrmRightClicked", "4", &Settings::MainFrmRightClicked, 4},
        {"MainFrm", "MainFrmDoubleClicked", "5", &Settings::MainFrmDoubleClicked, 2},
        {"MainFrm", "WaveFrmDoubleClicked", "4", &Settings::WaveFrmDoubleClicked, 1},
        {"MainFrm", "WaveFrmDoubleClicked", "3", &Settings::WaveFrmDoubleClicked, 3},
        {"MainFrm", "WaveFrmDoubleClicked", "0", &Settings::WaveFrmDoubleClicked, 0},
        {"Application", "RecordSource", "2", &Settings::RecordSource, 0},
        {"Application", "StretchEngine", "-1", &Settings::StretchEngine, 0},
        {"Application", "StretchEngine", "1", &Settings::StretchEngine, 1},
        {"Application", "PlaybackEngine", "2", &Settings::PlaybackEngine, 0},
        {"Application", "PlaybackEngine", "1", &Settings::PlaybackEngine, 1},
        // Outside 0..2 these leave the player's own method and the hints as they are.
        {"MainFrm", "PosChangeType", "5", &Settings::PosChangeType, 5},
        {"MainFrm", "HintType", "-1", &Settings::HintType, -1},
        {"MainFrm", "Top", "junk", &Settings::Top, defaults.Top},
    };
    for (const auto& c : cases) {
        ProfileFile file;
        file.WriteString(c.section, c.key, c.value);
        EXPECT_EQ(ReadSettings(file, "").*c.member, c.expected) << c.key << "=" << c.value;
    }
}

TEST(SettingsFile, MethodsOutsideTheirRangeAreNotWritten) {
    ProfileFile file;
    file.WriteInteger("MainFrm", "PosChangeType", 1);
    Settings s = DefaultSettings("");
    s.PosChangeType = 3;
    s.HintType = 7;
    WriteSettings(file, s);
    EXPECT_EQ(file.Value("MainFrm", "PosChangeType"), "1");
    EXPECT_FALSE(file.ValueExists("MainFrm", "HintType"));
    s.HintType = 0;
    WriteSettings(file, s);
    EXPECT_EQ(file.Value("MainFrm", "HintType"), "0");
}

} // namespace
