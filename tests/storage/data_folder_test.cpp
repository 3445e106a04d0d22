#include "actions/message_format.h"
#include "actions/messages.h"
#include "platform/profile_file.h"
#include "storage/data_folder.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wave_fixture.h"

#include <QDir>
#include <QFileInfo>
#include <QSysInfo>
#include <gtest/gtest.h>
#include <memory>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Records what the user would see, and answers the folder dialog.
class FakeUi : public TDataFolderUi {
public:
    void ShowImageMessage(const QString& caption, const QString& text,
                          const QString& pictureFile) override {
        shown << "message " + caption;
        texts << text;
        pictures << pictureFile;
    }
    QString ChooseFolder(const QString& proposed) override {
        shown << "choose";
        proposedFolder = proposed;
        proposedExisted = QFileInfo(proposed).isDir();
        return answer;
    }
    void StartRecordingMixer() override { shown << "mixer"; }
    void OpenDocument(const QString& path) override { shown << "open " + path; }

    QStringList shown;
    QStringList texts;
    QStringList pictures;
    QString proposedFolder;
    bool proposedExisted = false;
    QString answer;
};

class DataFolderTest : public testing::Test {
protected:
    DataFolderTest() {
        const std::string keys = "[Keys]\nhkPlay=32\n";
        WriteFile(program.File("quavrel_key.ini"), Bytes(keys.begin(), keys.end()));
        QDir().mkpath(QString::fromStdString(chosen()));
        ui.answer = QString::fromStdString(chosen());
    }

    TDataFolderPlaces Places() const {
        return {QString::fromStdString(config.File("quavrel/quavrel.ini")), Documents(),
                QString::fromStdString(program.Path())};
    }
    QString Documents() const { return QString::fromStdString(home.File("Documents")); }
    std::string chosen() const { return home.File("chosen"); }
    ProfileFile UserFile() const { return ProfileFile(config.File("quavrel/quavrel.ini")); }

    TempDir config;
    TempDir program;
    TempDir home;
    FakeUi ui;
};

TEST_F(DataFolderTest, TheFirstRunWelcomesAsksForTheFolderAndIntroducesRecording) {
    auto folder = std::make_unique<TDataFolder>(Places(), ui);
    ASSERT_TRUE(folder->StartUp());
    EXPECT_EQ(folder->Path(), chosen());
    const QString programFolder = QString::fromStdString(program.Path());
    EXPECT_EQ(ui.shown,
              (QStringList{"message " + SFirstMessageCaption1, "choose",
                           "message " + SFirstMessageCaption2, "message " + SFirstMessageCaption3,
                           "mixer", "open " + programFolder + "/readme.html"}));
    EXPECT_EQ(ui.texts, (QStringList{SFirstMessage1_1 + "\r" + SFirstMessage1_3 + "\r" +
                                         SFirstMessage_ClickToContinue,
                                     SFirstMessage2, SFirstMessage3}));
    EXPECT_EQ(ui.pictures, (QStringList{programFolder + "/Skins/imgmsg1.bmp",
                                        programFolder + "/Skins/imgmsg2.bmp",
                                        programFolder + "/Skins/imgmsg3.bmp"}));
    EXPECT_EQ(ui.proposedFolder, QString::fromStdString(home.File("Documents/Quavrel")));
    EXPECT_TRUE(ui.proposedExisted);
    EXPECT_EQ(ReadFile(chosen() + "/quavrel_key.ini"), ReadFile(program.File("quavrel_key.ini")));

    folder->ShutDown();
    folder.reset();
    const ProfileFile file = UserFile();
    EXPECT_EQ(file.Value(Documents(), "FirstTimeFlg"), "0");
    EXPECT_EQ(file.Value(Documents(), "UserProfiles"), QString::fromStdString(chosen()));

    // The next start goes straight on.
    FakeUi again;
    TDataFolder next(Places(), again);
    ASSERT_TRUE(next.StartUp());
    EXPECT_EQ(next.Path(), chosen());
    EXPECT_TRUE(again.shown.isEmpty());
}

TEST_F(DataFolderTest, AGoneFolderIsChosenAgainWithoutTheFirstRunNotices) {
    ProfileFile file(config.File("quavrel/quavrel.ini"));
    QDir().mkpath(QString::fromStdString(config.File("quavrel")));
    file.WriteBool(Documents(), "FirstTimeFlg", false);
    file.WriteString(Documents(), "UserProfiles", "/nowhere/deleted");
    // Another user of the machine keeps a folder of their own.
    file.WriteString("/home/other/Documents", "UserProfiles", "/home/other/Quavrel");
    file.Save();
    // A key file of the user's is never replaced.
    WriteFile(chosen() + "/quavrel_key.ini", Bytes{'m', 'i', 'n', 'e'});

    TDataFolder folder(Places(), ui);
    ASSERT_TRUE(folder.StartUp());
    EXPECT_EQ(ui.shown, (QStringList{"message " + SFirstMessageCaption1, "choose"}));
    EXPECT_EQ(ReadFile(chosen() + "/quavrel_key.ini"), (Bytes{'m', 'i', 'n', 'e'}));
    folder.ShutDown();
    EXPECT_EQ(UserFile().Value(Documents(), "UserProfiles"), QString::fromStdString(chosen()));
    EXPECT_EQ(UserFile().Value("/home/other/Documents", "UserProfiles"), "/home/other/Quavrel");
}

TEST_F(DataFolderTest, CancellingTheChoiceEndsTheStartAndWritesNothing) {
    ui.answer.clear();
    TDataFolder folder(Places(), ui);
    EXPECT_FALSE(folder.StartUp());
    EXPECT_EQ(ui.shown, (QStringList{"message " + SFirstMessageCaption1, "choose"}));
    EXPECT_TRUE(folder.Path().empty());
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(config.File("quavrel/quavrel.ini"))));
}

TEST_F(DataFolderTest, AChangeRequestForgetsTheFolderButKeepsItsFiles) {
    auto folder = std::make_unique<TDataFolder>(Places(), ui);
    ASSERT_TRUE(folder->StartUp());
    folder->RequestChange();
    EXPECT_TRUE(folder->ChangeRequested());
    folder->ShutDown();
    folder.reset();
    EXPECT_EQ(UserFile().Value(Documents(), "UserProfiles"), "");
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(chosen() + "/quavrel_key.ini")));

    FakeUi again;
    again.answer = ui.answer;
    TDataFolder next(Places(), again);
    ASSERT_TRUE(next.StartUp());
    EXPECT_EQ(again.shown, (QStringList{"message " + SFirstMessageCaption1, "choose"}));
}

TEST_F(DataFolderTest, AShutDownWriteThatFailsIsReportedWithThePath) {
    TDataFolder folder(Places(), ui);
    ASSERT_TRUE(folder.StartUp());
    // A file where the per-user folder should be.
    WriteFile(config.File("quavrel"), Bytes{'x'});
    try {
        folder.ShutDown();
        FAIL() << "no error";
    } catch (const EProfileFileError& error) {
        EXPECT_NE(error.Message().find(config.File("quavrel/quavrel.ini")), std::string::npos)
            << error.Message();
    }
}

// Another Quavrel, of another user or started from another session, may pass the per-user
// instance lock: the data folder's own lock keeps it away from the first one's files.
TEST_F(DataFolderTest, ASecondProgramFindsTheFolderInUseUntilTheFirstEnds) {
    auto first = std::make_unique<TDataFolder>(Places(), ui);
    ASSERT_TRUE(first->StartUp());
    first->ShutDown();

    FakeUi secondUi;
    TDataFolder second(Places(), secondUi);
    try {
        second.StartUp();
        FAIL() << "no error";
    } catch (const EDataFolderInUse& error) {
        EXPECT_EQ(QString::fromStdString(error.Message()),
                  FormatMessage(SDataFolderInUse, {QString::fromStdString(chosen())}));
    }
    EXPECT_TRUE(secondUi.shown.isEmpty());

    first.reset();
    TDataFolder third(Places(), secondUi);
    EXPECT_TRUE(third.StartUp());
}

TEST_F(DataFolderTest, TheFirstRunsChoiceIsLockedToo) {
    TDataFolder first(Places(), ui);
    ASSERT_TRUE(first.StartUp());
    FakeUi secondUi;
    secondUi.answer = ui.answer;
    // The choice is not kept yet: the second is asked for a folder as well.
    TDataFolder second(Places(), secondUi);
    EXPECT_THROW(second.StartUp(), EDataFolderInUse);
}

TEST_F(DataFolderTest, TheLockOfAProgramThatIsGoneIsTakenOver) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        _exit(0);
    }
    ASSERT_EQ(waitpid(child, nullptr, 0), child);
    const std::string lock =
        std::to_string(child) + "\nquavrel\n" + QSysInfo::machineHostName().toStdString() + "\n";
    WriteFile(chosen() + "/" + DataFolderLockName, Bytes(lock.begin(), lock.end()));

    TDataFolder folder(Places(), ui);
    ASSERT_TRUE(folder.StartUp());
    const Bytes taken = ReadFile(chosen() + "/" + DataFolderLockName);
    EXPECT_EQ(
        std::string(taken.begin(), taken.end()).substr(0, std::to_string(getpid()).size() + 1),
        std::to_string(getpid()) + "\n");
}

} // namespace
