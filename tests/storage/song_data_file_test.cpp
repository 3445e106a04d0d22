#include "platform/profile_file.h"
#include "storage/song_data_file.h"
#include "tests/storage/song_data_fixture.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wave_fixture.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <limits>

namespace {

class SongDataFileTest : public testing::Test {
protected:
    // A recording outside the data folder, as a cassette holds it.
    std::string Recording(unsigned seed) {
        const std::string path = recordings.File("recording" + std::to_string(seed) + ".wav");
        WriteFile(path, Pattern(1000, seed));
        return path;
    }

    // A data-folder recording as a saved copy is, for files written by hand.
    std::string SavedCopy(const std::string& name, unsigned seed) {
        WriteFile(data.File(name), Pattern(1000, seed));
        return name;
    }

    ProfileFile SongData() const { return ProfileFile(data.File("quavrel_data.ini")); }

    TSongRecords Load(const std::string& songKey) const {
        const std::optional<TSongRecords> records = LoadSongRecords(data.Path(), songKey);
        EXPECT_TRUE(records.has_value()) << songKey;
        return records.value_or(TSongRecords{});
    }

    void Save(const std::string& songKey, const TSongRecords& records) {
        SaveSongRecords(data.Path(), songKey, records, [](const std::string&) {});
    }

    TempDir data;
    TempDir recordings;
};

TEST_F(SongDataFileTest, RecordsAreWrittenInTheFilesKeyOrderAndComeBackFromAnotherFolder) {
    TSongRecords records;
    TCassetteRecord solo;
    solo.Recording = Recording(1);
    solo.Left = 300;
    solo.Top = 20;
    solo.Title = "Solo \"fast\"";
    solo.CreateIndex = 4;
    solo.RepeatStart = 250;
    solo.RepeatEnd = 1500;
    solo.RepeatStartTimeOnFile = 61000;
    solo.RepeatStopTimeOnFile = 63000;
    TCassetteRecord bass;
    bass.Recording = Recording(2);
    bass.Title = "Bass";
    bass.Grabbed = true;
    bass.CreateIndex = 5;
    bass.RepeatStart = 0;
    bass.RepeatEnd = 1000;
    TCardRecord chorus;
    chorus.Left = 40;
    chorus.Top = 50;
    chorus.Title = "Chorus";
    chorus.StartTime = 1000;
    chorus.EndTime = 2500;
    chorus.CreateIndex = 1;
    records.Cassettes = {solo, bass};
    records.Cards = {chorus};

    Save("/music/live/song.mp3", records);
    const QStringList copies = SavedCopies(data);
    ASSERT_EQ(copies.size(), 2);
    for (const QString& copy : copies) {
        EXPECT_TRUE(copy.startsWith("SaveData - song - ")) << copy.toStdString();
    }

    const ProfileFile file = SongData();
    QStringList keys;
    file.ForEachValue([&](const QString& section, const QString& key, const QString&) {
        EXPECT_EQ(section, "song.mp3");
        keys << key;
    });
    const QStringList cassetteKeys{"Left",
                                   "Top",
                                   "WaveFile",
                                   "Text",
                                   "Grabbed",
                                   "CreateIndex",
                                   "Wave.StartPos",
                                   "Wave.EndPos",
                                   "RepeatStartTimeOnFile",
                                   "RepeatStopTimeOnFile"};
    const QStringList cardKeys{"Left",    "Top",     "Text",       "StartTime",
                               "EndTime", "Grabbed", "CreateIndex"};
    QStringList expected{"WaveFrmCount"};
    for (int i = 0; i < 2; ++i) {
        for (const QString& key : cassetteKeys) {
            expected << QString("WaveFrm%1.%2").arg(i).arg(key);
        }
    }
    expected << "RepeatFrmCount";
    for (const QString& key : cardKeys) {
        expected << "RepeatFrm0." + key;
    }
    EXPECT_EQ(keys, expected);
    EXPECT_EQ(file.Value("song.mp3", "WaveFrm1.Grabbed"), "1");
    EXPECT_EQ(file.Value("song.mp3", "WaveFrm0.Text"), "Solo \"fast\"");

    const TSongRecords back = Load("/elsewhere/song.mp3");
    ASSERT_EQ(back.Cassettes.size(), 2u);
    ASSERT_EQ(back.Cards.size(), 1u);
    const TCassetteRecord& first = back.Cassettes[0];
    EXPECT_EQ(QFileInfo(QString::fromStdString(first.Recording)).path(),
              QString::fromStdString(data.Path()));
    EXPECT_EQ(ReadFile(first.Recording), ReadFile(solo.Recording));
    EXPECT_EQ(first.Left, 300);
    EXPECT_EQ(first.Top, 20);
    EXPECT_EQ(first.Title, "Solo \"fast\"");
    EXPECT_FALSE(first.Grabbed);
    EXPECT_EQ(first.CreateIndex, 4);
    EXPECT_EQ(first.RepeatStart, 250);
    EXPECT_EQ(first.RepeatEnd, 1500);
    EXPECT_EQ(first.RepeatStartTimeOnFile, 61000);
    EXPECT_EQ(first.RepeatStopTimeOnFile, 63000);
    EXPECT_EQ(ReadFile(back.Cassettes[1].Recording), ReadFile(bass.Recording));
    EXPECT_TRUE(back.Cassettes[1].Grabbed);
    const TCardRecord& card = back.Cards[0];
    EXPECT_EQ(card.Title, "Chorus");
    EXPECT_EQ(card.StartTime, 1000);
    EXPECT_EQ(card.EndTime, 2500);
    EXPECT_EQ(card.Left, 40);
    EXPECT_EQ(card.Top, 50);
    EXPECT_EQ(card.CreateIndex, 1);
    EXPECT_FALSE(card.Grabbed);

    EXPECT_FALSE(LoadSongRecords(data.Path(), "/music/never saved.mp3").has_value());
}

TEST_F(SongDataFileTest, EntriesWhoseRecordingIsGoneAreLeftOut) {
    const std::string kept = SavedCopy("SaveData - song - 12.wav", 3);
    WriteSongData(data, QByteArray("[song.mp3]\n"
                                   "WaveFrmCount=3\n"
                                   "WaveFrm0.WaveFile=SaveData - song - 11.wav\n"
                                   "WaveFrm0.Text=Deleted\n"
                                   "WaveFrm1.WaveFile=\n"
                                   "WaveFrm2.WaveFile=") +
                            kept.c_str() +
                            "\n"
                            "WaveFrm2.Text=Kept\n");
    const TSongRecords records = Load("song.mp3");
    ASSERT_EQ(records.Cassettes.size(), 1u);
    EXPECT_EQ(records.Cassettes[0].Title, "Kept");
    EXPECT_EQ(records.Cassettes[0].Recording, data.File(kept));
}

TEST_F(SongDataFileTest, AFileOfTheWindowsProgramLoads) {
    const std::string copy = SavedCopy(WindowsSongDataRecording, 4);
    WriteSongData(data, WindowsSongData);
    const TSongRecords records = Load("/home/me/song.mp3");
    ASSERT_EQ(records.Cassettes.size(), 1u);
    ASSERT_EQ(records.Cards.size(), 2u);
    const TCassetteRecord& cassette = records.Cassettes[0];
    EXPECT_EQ(cassette.Title, "Old title");
    EXPECT_EQ(cassette.Left, 10);
    EXPECT_EQ(cassette.Top, 20);
    EXPECT_EQ(cassette.Recording, data.File(copy));
    EXPECT_EQ(cassette.CreateIndex, -1);
    // Missing positions in the recording leave the player's own.
    EXPECT_FALSE(cassette.RepeatStart.has_value());
    EXPECT_FALSE(cassette.RepeatEnd.has_value());
    EXPECT_EQ(cassette.RepeatStartTimeOnFile, -1);
    EXPECT_EQ(records.Cards[0].Title, "New card");
    EXPECT_EQ(records.Cards[0].StartTime, 100);
    EXPECT_EQ(records.Cards[0].EndTime, 900);
    EXPECT_EQ(records.Cards[1].Title, "");
    EXPECT_EQ(records.Cards[1].StartTime, -1);
    EXPECT_EQ(records.Cards[1].CreateIndex, 7);
    // Never practised here: the song takes the defaults.
    EXPECT_FALSE(records.Practice.has_value());
}

TEST_F(SongDataFileTest, HowTheSongIsPractisedComesBackWithItsCards) {
    TSongRecords records;
    records.Cards.resize(1);
    records.Practice = TPracticeSettings{65, -250, 50, 5, 95, true};
    Save("/music/song.mp3", records);
    EXPECT_EQ(SongData().Value("song.mp3", "Practice.Speed"), "65");
    EXPECT_EQ(Load("/elsewhere/song.mp3").Practice, records.Practice);
    // A save without them leaves the file's as they were, for a song kept by an older version.
    records.Practice.reset();
    Save("/music/song.mp3", records);
    EXPECT_EQ(Load("/music/song.mp3").Practice->Speed, 65);
}

TEST_F(SongDataFileTest, AnOlderFullPathSectionIsReadUntilTheNameHasItsOwn) {
    WriteSongData(data, "[/music/old/song.mp3]\n"
                        "RepeatFrmCount=1\n"
                        "RepeatFrm0.Text=From the old version\n");
    TSongRecords records = Load("/music/old/song.mp3");
    ASSERT_EQ(records.Cards.size(), 1u);
    EXPECT_EQ(records.Cards[0].Title, "From the old version");
    EXPECT_TRUE(SongData().SectionExists("/music/old/song.mp3"));

    Save("/music/old/song.mp3", records);
    records = Load("/music/old/song.mp3");
    ASSERT_EQ(records.Cards.size(), 1u);
    EXPECT_EQ(records.Cards[0].Title, "From the old version");
    EXPECT_FALSE(SongData().SectionExists("/music/old/song.mp3"));
    EXPECT_TRUE(SongData().SectionExists("song.mp3"));
}

TEST_F(SongDataFileTest, ASectionWithOnlyACardCountIsFoundAndADiscKeepsItsSection) {
    WriteSongData(data, "[/music/a/song.mp3]\n"
                        "RepeatFrmCount=1\n"
                        "[song.mp3]\n"
                        "RepeatFrmCount=0\n"
                        "[12AB-34CD]\n"
                        "RepeatFrmCount=1\n");
    // The name's section is found, empty as it is: the older one is not read but erased.
    const TSongRecords song = Load("/music/a/song.mp3");
    EXPECT_TRUE(song.Cassettes.empty());
    EXPECT_TRUE(song.Cards.empty());
    EXPECT_FALSE(SongData().SectionExists("/music/a/song.mp3"));

    EXPECT_EQ(Load("12AB-34CD").Cards.size(), 1u);
    EXPECT_TRUE(SongData().SectionExists("12AB-34CD"));
}

TEST_F(SongDataFileTest, ALongSongNameIsShortenedInTheCopysNameAndComesBack) {
    // 248 bytes, two to a letter: the longest name a song file may have with its ".mp3".
    const QString name = QString(124, QChar(u'é')) + ".mp3";
    TCassetteRecord take;
    take.Recording = Recording(7);
    take.Title = "Take";
    Save("/music/" + name.toStdString(), {{take}, {}, {}});
    const QStringList copies = SavedCopies(data);
    ASSERT_EQ(copies.size(), 1);
    EXPECT_LE(copies[0].toUtf8().size(), 255);
    EXPECT_TRUE(copies[0].startsWith("SaveData - éé")) << copies[0].toStdString();
    const TSongRecords records = Load("/music/" + name.toStdString());
    ASSERT_EQ(records.Cassettes.size(), 1u);
    EXPECT_EQ(records.Cassettes[0].Title, "Take");
}

// A song file's name may hold line breaks; the file keeps names on one line.
TEST_F(SongDataFileTest, ASongNameWithLineBreaksNamesItsCopyAsTheFileDoes) {
    TCassetteRecord take;
    take.Recording = Recording(8);
    take.Title = "Take";
    const std::string key = "/music/two\nlines\r\nsong.mp3";
    Save(key, {{take}, {}, {}});
    const QStringList copies = SavedCopies(data);
    ASSERT_EQ(copies.size(), 1);
    EXPECT_TRUE(copies[0].startsWith("SaveData - two lines song - ")) << copies[0].toStdString();
    EXPECT_EQ(SongData().Value("two lines song.mp3", "WaveFrm0.WaveFile"), copies[0]);
    const TSongRecords records = Load(key);
    ASSERT_EQ(records.Cassettes.size(), 1u);
    EXPECT_EQ(records.Cassettes[0].Title, "Take");

    // The next save still finds it to copy.
    Save(key, records);
    EXPECT_EQ(Load(key).Cassettes.size(), 1u);
}

TEST_F(SongDataFileTest, DamagedCountsMakeNoMoreRecordsThanTheSectionHasLines) {
    WriteSongData(data, "[song.mp3]\n"
                        "WaveFrmCount=2147483647\n"
                        "RepeatFrmCount=2000000000\n"
                        "RepeatFrm0.StartTime=500\n"
                        "RepeatFrm0.CreateIndex=2147483647\n");
    const TSongRecords records = Load("/music/song.mp3");
    EXPECT_TRUE(records.Cassettes.empty());
    EXPECT_LE(records.Cards.size(), 4u);
    ASSERT_FALSE(records.Cards.empty());
    EXPECT_EQ(records.Cards[0].StartTime, 500);
}

// Whatever numbers the file holds, a record's are within bounds that no arithmetic on
// positions, times and indexes can overflow from.
TEST_F(SongDataFileTest, ExtremeNumbersAreBroughtWithinBounds) {
    const std::string copy = SavedCopy("SaveData - song - 1.wav", 5);
    WriteSongData(data, QByteArray("[song.mp3]\n"
                                   "WaveFrmCount=1\n"
                                   "WaveFrm0.WaveFile=") +
                            copy.c_str() +
                            "\n"
                            "WaveFrm0.Left=-2147483648\n"
                            "WaveFrm0.Top=2147483647\n"
                            "WaveFrm0.Grabbed=1\n"
                            "WaveFrm0.CreateIndex=-2147483648\n"
                            "WaveFrm0.Wave.StartPos=-2147483648\n"
                            "WaveFrm0.Wave.EndPos=2147483647\n"
                            "WaveFrm0.RepeatStartTimeOnFile=-2147483648\n"
                            "WaveFrm0.RepeatStopTimeOnFile=2147483647\n"
                            "RepeatFrmCount=-2147483648\n");
    TSongRecords records = Load("song.mp3");
    ASSERT_EQ(records.Cassettes.size(), 1u);
    EXPECT_TRUE(records.Cards.empty());
    const TCassetteRecord& cassette = records.Cassettes[0];
    EXPECT_EQ(cassette.Left, -LargestPosition);
    EXPECT_EQ(cassette.Top, LargestPosition);
    EXPECT_EQ(cassette.CreateIndex, -1);
    EXPECT_EQ(cassette.RepeatStart, 0);
    EXPECT_EQ(cassette.RepeatEnd, LargestTime);
    EXPECT_EQ(cassette.RepeatStartTimeOnFile, -1);
    EXPECT_EQ(cassette.RepeatStopTimeOnFile, LargestTime);

    WriteSongData(data, "[song.mp3]\n"
                        "RepeatFrmCount=1\n"
                        "RepeatFrm0.Left=2147483647\n"
                        "RepeatFrm0.Top=-40000\n"
                        "RepeatFrm0.StartTime=-7\n"
                        "RepeatFrm0.EndTime=$7FFFFFFF\n"
                        "RepeatFrm0.CreateIndex=2147483647\n");
    records = Load("song.mp3");
    ASSERT_EQ(records.Cards.size(), 1u);
    const TCardRecord& card = records.Cards[0];
    EXPECT_EQ(card.Left, LargestPosition);
    EXPECT_EQ(card.Top, -LargestPosition);
    EXPECT_EQ(card.StartTime, -1);
    EXPECT_EQ(card.EndTime, LargestTime);
    EXPECT_EQ(card.CreateIndex, LargestCreateIndex);
}

TEST_F(SongDataFileTest, ASaveThatFailsLeavesNoCopiesAndTheFileAsItWas) {
    WriteSongData(data, "[song.mp3]\nRepeatFrmCount=0\n");
    TCassetteRecord kept;
    kept.Recording = Recording(5);
    // A recording that is there but cannot be read, as a failing disk gives.
    TCassetteRecord unreadable;
    unreadable.Recording = "/proc/self/mem";
    EXPECT_ANY_THROW(Save("/music/song.mp3", {{kept, unreadable}, {}, {}}));
    EXPECT_TRUE(SavedCopies(data).isEmpty());
    EXPECT_FALSE(SongData().ValueExists("song.mp3", "WaveFrmCount"));
}

TEST_F(SongDataFileTest, ACassetteWhoseRecordingVanishedIsLeftOutAndTheRestIsSaved) {
    TCassetteRecord gone;
    gone.Recording = recordings.File("gone.wav");
    TCassetteRecord kept;
    kept.Recording = Recording(5);
    kept.Title = "kept";
    TCardRecord card;
    card.StartTime = 1000;
    card.EndTime = 2000;
    Save("/music/song.mp3", {{gone, kept}, {card}, {}});
    const TSongRecords saved = Load("song.mp3");
    ASSERT_EQ(saved.Cassettes.size(), 1u);
    EXPECT_EQ(saved.Cassettes[0].Title, "kept");
    EXPECT_EQ(ReadFile(saved.Cassettes[0].Recording), ReadFile(kept.Recording));
    ASSERT_EQ(saved.Cards.size(), 1u);
    EXPECT_EQ(SavedCopies(data).size(), 1);
}

// A crash or a power cut right after the save must not find the file naming a copy that
// never reached the disk, once the copy that it replaces has been removed.
TEST_F(SongDataFileTest, EachCopyAndTheFolderReachTheDiskBeforeTheFileNamesThem) {
    TCassetteRecord first;
    first.Recording = Recording(1);
    TCassetteRecord second;
    second.Recording = Recording(2);
    QStringList flushed;
    SaveSongRecords(
        data.Path(), "song.mp3", {{first, second}, {}, {}}, [&](const std::string& path) {
            // Nothing names the copies yet.
            EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(data.File("quavrel_data.ini"))));
            flushed << QFileInfo(QString::fromStdString(path)).fileName();
        });
    const ProfileFile file = SongData();
    ASSERT_EQ(flushed.size(), 3);
    EXPECT_EQ(flushed[0], file.Value("song.mp3", "WaveFrm0.WaveFile"));
    EXPECT_EQ(flushed[1], file.Value("song.mp3", "WaveFrm1.WaveFile"));
    EXPECT_EQ(flushed[2], QFileInfo(QString::fromStdString(data.Path())).fileName());
}

} // namespace
