#include "actions/messages.h"
#include "platform/profile_file.h"
#include "storage/leftover_files.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wave_fixture.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

TEST(LeftoverFiles, RecordingsLeftByACrashAndCopiesNoSongNames) {
    const ProfileFile songData =
        ProfileFile::FromBytes("[song.mp3]\r\n"
                               "WaveFrmCount=1\r\n"
                               "WaveFrm0.WaveFile=C:\\Quavrel\\SaveData - song - 1.wav\r\n"
                               "[/old/full/path/tune.ogg]\n"
                               "wavefrm3.wavefile=SaveData - tune - 2.wav\n"
                               "WaveFrm4.WaveFile=tmp7.wav\n"
                               "RepeatFrm0.Text=SaveData - song - 4.wav\n");
    EXPECT_EQ(
        RecordingsNamedIn(songData),
        (std::set<QString>{"SaveData - song - 1.wav", "SaveData - tune - 2.wav", "tmp7.wav"}));
    const QStringList files{"tmp12.wav",
                            "tmp7.wav",
                            "tmp.wav",
                            "tmp12.wav.bak",
                            "mytmp1.wav",
                            "SaveData - song - 1.wav",
                            "SaveData - song - 3.wav",
                            "SaveData - song - 4.wav",
                            "SaveData - tune - 2.wav",
                            "SaveData - notes.wav",
                            "quavrel_data.ini"};
    EXPECT_EQ(LeftoverFiles(files, RecordingsNamedIn(songData)),
              (QStringList{"tmp12.wav", "SaveData - song - 3.wav", "SaveData - song - 4.wav"}));
}

// Answers as told and records what was asked.
class FakeQuestions : public TLeftoverQuestions {
public:
    TListAnswer AskReadList(const QString& caption, const QString& question) override {
        asked << caption + ": " + question;
        return listAnswer;
    }
    bool Confirm(const QString& caption, const QString& question) override {
        asked << caption + ": " + question;
        return confirm;
    }
    void Inform(const QString& caption, const QString& text) override {
        asked << caption + ": " + text;
    }

    TListAnswer listAnswer = TListAnswer::ShowList;
    bool confirm = true;
    QStringList asked;
};

class OfferTest : public testing::Test {
protected:
    OfferTest() {
        for (const char* name : {"tmp5.wav", "SaveData - a - 1.wav", "SaveData - a - 2.wav"}) {
            WriteFile(data.File(name), Bytes{1, 2, 3});
        }
        ProfileFile songData(data.File("quavrel_data.ini"));
        songData.WriteString("a.mp3", "WaveFrm0.WaveFile", "SaveData - a - 2.wav");
        songData.Save();
    }

    QStringList Files() const {
        return QDir(QString::fromStdString(data.Path())).entryList(QDir::Files, QDir::Name);
    }

    TempDir data;
    FakeQuestions questions;
};

TEST_F(OfferTest, NothingGoesWithoutTheUsersAgreement) {
    const QStringList before = Files();
    const QString caption = "Found some unused files...: ";
    questions.listAnswer = FakeQuestions::TListAnswer::Stop;
    OfferLeftoverDeletion(data.Path(), questions);
    EXPECT_EQ(questions.asked.size(), 1);
    EXPECT_TRUE(questions.asked[0].startsWith(caption + "2 unused"))
        << questions.asked[0].toStdString();

    questions.asked.clear();
    questions.listAnswer = FakeQuestions::TListAnswer::ShowList;
    questions.confirm = false;
    OfferLeftoverDeletion(data.Path(), questions);
    ASSERT_EQ(questions.asked.size(), 3);
    EXPECT_EQ(questions.asked[1], caption + "SaveData - a - 1.wav\rtmp5.wav");
    EXPECT_EQ(questions.asked[2], caption + SMSG_CONFIRMDELETEDISUSEFILE);
    EXPECT_EQ(Files(), before);
}

TEST_F(OfferTest, AgreedDeletionRemovesOnlyTheLeftovers) {
    questions.listAnswer = FakeQuestions::TListAnswer::SkipList;
    OfferLeftoverDeletion(data.Path(), questions);
    EXPECT_EQ(questions.asked.size(), 3);
    EXPECT_EQ(questions.asked.back(),
              "Found some unused files...: 2 files were successfully deleted.");
    EXPECT_EQ(Files(), (QStringList{"SaveData - a - 2.wav", "quavrel_data.ini"}));

    // Nothing left: nothing asked.
    questions.asked.clear();
    OfferLeftoverDeletion(data.Path(), questions);
    EXPECT_TRUE(questions.asked.isEmpty());
}

TEST_F(OfferTest, UnreadableSongDataCountsNothingAsUnnamed) {
    std::remove(data.File("quavrel_data.ini").c_str());
    QDir().mkdir(QString::fromStdString(data.File("quavrel_data.ini")));
    EXPECT_THROW(OfferLeftoverDeletion(data.Path(), questions), EProfileFileError);
    EXPECT_TRUE(questions.asked.isEmpty());
}

} // namespace
