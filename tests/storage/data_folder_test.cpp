#include "actions/message_format.h"
#include "actions/messages.h"
#include "platform/file_stream.h"
#include "platform/profile_file.h"
#include "storage/data_folder.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wave_fixture.h"

#include <QDir>
#include <QFileInfo>
#include <QSysInfo>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

// Records what the user would see and answers as a user would, each question once the call
// that asked has returned: folder choices from answers (empty: cancelled), the answers to "a
// folder is needed" from withoutFolder.
class FakeUi : public TDataFolderUi {
public:
    void ShowImageMessage(const QString& caption, const QString& text, const QString& pictureFile,
                          std::function<void()> closed) override {
        shown << "message " + caption;
        texts << text;
        pictures << pictureFile;
        Later(std::move(closed));
    }
    void ChooseFolder(const QString& proposed,
                      std::function<void(const QString&)> chosen) override {
        shown << "choose";
        proposedFolder = proposed;
        proposedExisted = QFileInfo::exists(proposed);
        const QString answer = answers.isEmpty() ? QString() : answers.takeFirst();
        Later([chosen = std::move(chosen), answer] { chosen(answer); });
    }
    void AskWithoutFolder(const QString& proposed, const QString& problem,
                          std::function<void(TNoFolderAnswer)> answered) override {
        shown << "needs a folder";
        problems << problem;
        proposedFolder = proposed;
        const TNoFolderAnswer answer =
            withoutFolder.empty() ? TNoFolderAnswer::Quit : withoutFolder.front();
        if (!withoutFolder.empty()) {
            withoutFolder.erase(withoutFolder.begin());
        }
        Later([answered = std::move(answered), answer] { answered(answer); });
    }
    void StartRecordingMixer() override { shown << "mixer"; }
    void OpenDocument(const QString& path) override { shown << "open " + path; }

    // Answers the open question, and the ones that follow it, until none is open.
    void AnswerAll() {
        while (pending) {
            std::function<void()> next = std::move(pending);
            pending = nullptr;
            next();
        }
    }

    QStringList shown;
    QStringList texts;
    QStringList pictures;
    QStringList problems;
    QString proposedFolder;
    bool proposedExisted = false;
    QStringList answers;
    std::vector<TNoFolderAnswer> withoutFolder;

private:
    void Later(std::function<void()> answer) {
        EXPECT_FALSE(pending) << "two questions open at once";
        pending = std::move(answer);
    }

    std::function<void()> pending;
};

// How a start-up ended: "ready" or "declined"; an error is thrown again.
std::string Start(TDataFolder& folder, FakeUi& ui) {
    std::string ended = "unanswered";
    std::exception_ptr error;
    folder.StartUp({[&] { ended = "ready"; }, [&] { ended = "declined"; },
                    [&](std::exception_ptr e) {
                        ended = "failed";
                        error = std::move(e);
                    }});
    ui.AnswerAll();
    if (error) {
        std::rethrow_exception(error);
    }
    return ended;
}

class DataFolderTest : public testing::Test {
protected:
    DataFolderTest() {
        const std::string keys = "[Keys]\nhkPlay=32\n";
        WriteFile(program.File("quavrel_key.ini"), Bytes(keys.begin(), keys.end()));
        QDir().mkpath(QString::fromStdString(chosen()));
        ui.answers = {QString::fromStdString(chosen())};
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
    ASSERT_EQ(Start(*folder, ui), "ready");
    EXPECT_EQ(folder->Path(), chosen());
    const QString programFolder = QString::fromStdString(program.Path());
    EXPECT_EQ(ui.shown,
              (QStringList{"message " + SFirstMessageCaption1, "choose",
                           "message " + SFirstMessageCaption2, "message " + SFirstMessageCaption3,
                           "open " + programFolder + "/readme.html"}));
    EXPECT_EQ(ui.texts, (QStringList{SFirstMessage1_1 + "\r" + SFirstMessage1_3, SFirstMessage2,
                                     SFirstMessage3}));
    EXPECT_EQ(ui.pictures, (QStringList{programFolder + "/Skins/imgmsg1.bmp",
                                        programFolder + "/Skins/imgmsg2.bmp",
                                        programFolder + "/Skins/imgmsg3.bmp"}));
    EXPECT_EQ(ui.proposedFolder, QString::fromStdString(home.File("Documents/Quavrel")));
    // Another folder was chosen: the proposed one is never made.
    EXPECT_FALSE(ui.proposedExisted);
    EXPECT_FALSE(QFileInfo::exists(ui.proposedFolder));
    EXPECT_EQ(ReadFile(chosen() + "/quavrel_key.ini"), ReadFile(program.File("quavrel_key.ini")));

    folder->ShutDown();
    folder.reset();
    const ProfileFile file = UserFile();
    EXPECT_EQ(file.Value(Documents(), "FirstTimeFlg"), "0");
    EXPECT_EQ(file.Value(Documents(), "UserProfiles"), QString::fromStdString(chosen()));

    // The next start goes straight on.
    FakeUi again;
    TDataFolder next(Places(), again);
    ASSERT_EQ(Start(next, again), "ready");
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
    ASSERT_EQ(Start(folder, ui), "ready");
    EXPECT_EQ(ui.shown, (QStringList{"message " + SFirstMessageCaption1, "choose"}));
    EXPECT_EQ(ReadFile(chosen() + "/quavrel_key.ini"), (Bytes{'m', 'i', 'n', 'e'}));
    folder.ShutDown();
    EXPECT_EQ(UserFile().Value(Documents(), "UserProfiles"), QString::fromStdString(chosen()));
    EXPECT_EQ(UserFile().Value("/home/other/Documents", "UserProfiles"), "/home/other/Quavrel");
}

// The song itself is recorded with nothing to set; the volume control opens on a first run only
// when the folder chosen records from the recording device.
TEST_F(DataFolderTest, TheFirstRunOpensTheVolumeControlOnlyForTheRecordingDevice) {
    QDir().mkpath(QString::fromStdString(chosen()));
    const std::string settings = "[Application]\nRecordSource=1\n";
    WriteFile(chosen() + "/quavrel.ini", Bytes(settings.begin(), settings.end()));
    TDataFolder folder(Places(), ui);
    ASSERT_EQ(Start(folder, ui), "ready");
    EXPECT_EQ(
        ui.shown.mid(4),
        (QStringList{"mixer", "open " + QString::fromStdString(program.Path() + "/readme.html")}));
}

TEST_F(DataFolderTest, ACancelledChoiceTellsThatAFolderIsNeededAndOffersItAgain) {
    ui.answers = {QString(), QString::fromStdString(chosen())};
    ui.withoutFolder = {FakeUi::TNoFolderAnswer::ChooseAgain};
    TDataFolder folder(Places(), ui);
    ASSERT_EQ(Start(folder, ui), "ready");
    EXPECT_EQ(ui.shown.mid(0, 4), (QStringList{"message " + SFirstMessageCaption1, "choose",
                                               "needs a folder", "choose"}));
    EXPECT_EQ(ui.proposedFolder, QString::fromStdString(home.File("Documents/Quavrel")));
    EXPECT_EQ(folder.Path(), chosen());
}

TEST_F(DataFolderTest, ACancelledChoiceCanTakeTheProposedFolderWhichIsMadeThen) {
    ui.answers = {QString()};
    ui.withoutFolder = {FakeUi::TNoFolderAnswer::UseProposed};
    TDataFolder folder(Places(), ui);
    ASSERT_EQ(Start(folder, ui), "ready");
    EXPECT_EQ(ui.shown.mid(0, 4),
              (QStringList{"message " + SFirstMessageCaption1, "choose", "needs a folder",
                           "message " + SFirstMessageCaption2}));
    EXPECT_EQ(folder.Path(), home.File("Documents/Quavrel"));
    EXPECT_EQ(ReadFile(home.File("Documents/Quavrel/quavrel_key.ini")),
              ReadFile(program.File("quavrel_key.ini")));
}

TEST_F(DataFolderTest, QuittingWithoutAFolderEndsTheStartAndMakesAndWritesNothing) {
    ui.answers = {QString()};
    ui.withoutFolder = {FakeUi::TNoFolderAnswer::Quit};
    TDataFolder folder(Places(), ui);
    EXPECT_EQ(Start(folder, ui), "declined");
    EXPECT_EQ(ui.shown,
              (QStringList{"message " + SFirstMessageCaption1, "choose", "needs a folder"}));
    EXPECT_TRUE(folder.Path().empty());
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(home.File("Documents/Quavrel"))));
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(config.File("quavrel/quavrel.ini"))));
}

// Chosen in the picker or proposed, a folder that cannot be made is told, and the choice is
// offered again.
TEST_F(DataFolderTest, AFolderThatCannotBeMadeIsToldAndAskedForAgain) {
    WriteFile(home.File("file"), Bytes{'x'});
    ui.answers = {QString::fromStdString(home.File("file/Quavrel")), QString(),
                  QString::fromStdString(chosen())};
    QDir().mkpath(Documents());
    WriteFile(home.File("Documents/Quavrel"), Bytes{'x'});
    ui.withoutFolder = {FakeUi::TNoFolderAnswer::ChooseAgain, FakeUi::TNoFolderAnswer::UseProposed,
                        FakeUi::TNoFolderAnswer::ChooseAgain};
    TDataFolder folder(Places(), ui);
    ASSERT_EQ(Start(folder, ui), "ready");
    EXPECT_EQ(ui.shown.mid(0, 8),
              (QStringList{"message " + SFirstMessageCaption1, "choose", "needs a folder", "choose",
                           "needs a folder", "needs a folder", "choose",
                           "message " + SFirstMessageCaption2}));
    ASSERT_EQ(ui.problems.size(), 3);
    EXPECT_TRUE(ui.problems[0].contains(QString::fromStdString(home.File("file/Quavrel"))));
    EXPECT_TRUE(ui.problems[1].isEmpty());
    EXPECT_TRUE(ui.problems[2].contains(QString::fromStdString(home.File("Documents/Quavrel"))));
    EXPECT_EQ(folder.Path(), chosen());
}

TEST_F(DataFolderTest, AChangeRequestForgetsTheFolderButKeepsItsFiles) {
    auto folder = std::make_unique<TDataFolder>(Places(), ui);
    ASSERT_EQ(Start(*folder, ui), "ready");
    folder->RequestChange();
    EXPECT_TRUE(folder->ChangeRequested());
    folder->ShutDown();
    folder.reset();
    EXPECT_EQ(UserFile().Value(Documents(), "UserProfiles"), "");
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(chosen() + "/quavrel_key.ini")));

    FakeUi again;
    again.answers = {QString::fromStdString(chosen())};
    TDataFolder next(Places(), again);
    ASSERT_EQ(Start(next, again), "ready");
    EXPECT_EQ(again.shown, (QStringList{"message " + SFirstMessageCaption1, "choose"}));
}

TEST_F(DataFolderTest, AShutDownWriteThatFailsIsReportedWithThePath) {
    TDataFolder folder(Places(), ui);
    ASSERT_EQ(Start(folder, ui), "ready");
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
    ASSERT_EQ(Start(*first, ui), "ready");
    first->ShutDown();

    FakeUi secondUi;
    TDataFolder second(Places(), secondUi);
    try {
        Start(second, secondUi);
        FAIL() << "no error";
    } catch (const EDataFolderInUse& error) {
        EXPECT_EQ(QString::fromStdString(error.Message()),
                  FormatMessage(SDataFolderInUse, {QString::fromStdString(chosen())}));
    }
    EXPECT_TRUE(secondUi.shown.isEmpty());

    first.reset();
    TDataFolder third(Places(), secondUi);
    EXPECT_EQ(Start(third, secondUi), "ready");
}

TEST_F(DataFolderTest, TheFirstRunsChoiceIsLockedToo) {
    TDataFolder first(Places(), ui);
    ASSERT_EQ(Start(first, ui), "ready");
    FakeUi secondUi;
    secondUi.answers = {QString::fromStdString(chosen())};
    // The choice is not kept yet: the second is asked for a folder as well.
    TDataFolder second(Places(), secondUi);
    EXPECT_THROW(Start(second, secondUi), EDataFolderInUse);
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
    ASSERT_EQ(Start(folder, ui), "ready");
    const Bytes taken = ReadFile(chosen() + "/" + DataFolderLockName);
    EXPECT_EQ(
        std::string(taken.begin(), taken.end()).substr(0, std::to_string(getpid()).size() + 1),
        std::to_string(getpid()) + "\n");
}

} // namespace
