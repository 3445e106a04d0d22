#include "actions/event_module.h"
#include "actions/key_bind.h"
#include "actions/real_time_hot_key.h"
#include "actions/real_time_key.h"
#include "dialogs/input_frm.h"
#include "dialogs/key_bind_frm.h"
#include "modal.h"
#include "platform/application_error.h"
#include "platform/profile_file.h"
#include "tests/support/temp_dir.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <utility>

namespace {

constexpr std::uint16_t VkSpace = 32;
constexpr std::uint16_t VkF5 = 116;

// A key file as the Windows program writes it: CRLF lines, section and key names in its own
// case, one set holding fewer entries than the dialog has editors.
const char WindowsKeyFile[] = "[ConfFrm]\r\n"
                              "ConfigItemCount=2\r\n"
                              "\r\n"
                              "[ConfFrm.ConfigItem0]\r\n"
                              "Name=Space Play\r\n"
                              "KeyCount=2\r\n"
                              "Key0=hkPlay\r\n"
                              "Key0.VirtualKey=VK_SPACE\r\n"
                              "Key0.ShiftState=\r\n"
                              "Key1=hkStop\r\n"
                              "Key1.VirtualKey=VK_S\r\n"
                              "Key1.ShiftState=\r\n"
                              "\r\n"
                              "[ConfFrm.ConfigItem1]\r\n"
                              "Name=F5 Play\r\n"
                              "KeyCount=1\r\n"
                              "Key0=hkPlay\r\n"
                              "Key0.VirtualKey=vk_f5\r\n"
                              "Key0.ShiftState=Ctrl+Shift\r\n"
                              "\r\n"
                              "[MainFrm.CurrKeyBind]\r\n"
                              "Name=\r\n"
                              "KeyCount=3\r\n"
                              "Key0=hkPlay\r\n"
                              "Key0.VirtualKey=VK_SPACE\r\n"
                              "Key0.ShiftState=\r\n"
                              "Key1=hkStop\r\n"
                              "key1.virtualkey=VK_S\r\n"
                              "Key1.ShiftState=\r\n"
                              "Key2=hkRec\r\n"
                              "Key2.VirtualKey=VK_R\r\n"
                              "Key2.ShiftState=Shift\r\n";

class KeyBindFrmTest : public testing::Test {
protected:
    void SetUp() override {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(WindowsKeyFile);
    }

    TRealTimeVirtualCodeHotKey* Editor(const char* name) const {
        return dialog->findChild<TRealTimeVirtualCodeHotKey*>(QString::fromLatin1(name));
    }

    ProfileFile WrittenFile() const { return ProfileFile(path.toStdString()); }

    // Saves the editors' binding under name through the input box; answer closes the
    // question that a name taken already raises.
    void SaveAs(const QString& name, QMessageBox::StandardButton answer = QMessageBox::Ok) {
        dialog->btSaveAs->click();
        auto* box = OpenModal<TInputFrm>();
        ASSERT_NE(box, nullptr);
        box->Edit1->setText(name);
        box->Button1->click();
        if (auto* question = OpenModal<QMessageBox>()) {
            questions.append(question->text());
            question->button(answer)->click();
        }
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }

    // Answers the question that Delete asks.
    void AnswerDelete(QMessageBox::StandardButton answer) {
        dialog->btDelete->click();
        auto* box = OpenModal<QMessageBox>();
        ASSERT_NE(box, nullptr);
        questions.append(box->text());
        EXPECT_EQ(box->windowTitle(), "Quavrel 4.00");
        EXPECT_EQ(box->icon(), QMessageBox::Question);
        box->button(answer)->click();
    }

    ~KeyBindFrmTest() override { DeleteClosedDialogs(); }

    TempDir folder;
    QString path = QString::fromStdString(folder.File("quavrel_key.ini"));
    TEventModule events;
    std::unique_ptr<TKeyBindFrm> dialog;
    QStringList questions;
};

TEST_F(KeyBindFrmTest, AKeyFileOfTheWindowsProgramGivesTheKeysTheirBindingAndListsItsSets) {
    dialog = std::make_unique<TKeyBindFrm>(events, path);
    EXPECT_EQ(events.rkPlay->VirtualKey(), VkSpace);
    EXPECT_EQ(events.rkStop->VirtualKey(), 'S');
    EXPECT_EQ(events.rkRec->VirtualKey(), 'R');
    EXPECT_EQ(events.rkRec->ShiftState(), ssShift);
    EXPECT_EQ(events.rkPause->VirtualKey(), 0); // not in the file: unbound
    ASSERT_EQ(dialog->cbKeyBinds->count(), 2);
    EXPECT_EQ(dialog->cbKeyBinds->itemText(1), "F5 Play");
    EXPECT_EQ(dialog->Sets()[1].Keys[0].VirtualKey, VkF5);
    EXPECT_EQ(dialog->Sets()[1].Keys[0].ShiftState, ssShift | ssCtrl);
    EXPECT_EQ(dialog->windowTitle(), "Key Bind Configuration");
    EXPECT_EQ(dialog->minimumSize(), QSize(455, 250));
    EXPECT_EQ(dialog->maximumWidth(), 455);
}

// The 29 keys of the Windows program, as its key files list them: each takes a letter here.
TEST_F(KeyBindFrmTest, AWindowsKeyFileOfAll29KeysLoadsAndLeavesTheNewKeysUnbound) {
    const char* const windowsKeys[] = {"hkPrevTrack",
                                       "hkBack",
                                       "hkStop",
                                       "hkPause",
                                       "hkPlay",
                                       "hkStep",
                                       "hkNextTrack",
                                       "hkEject",
                                       "hkRepStartBack",
                                       "hkRepStartSet",
                                       "hkRepStartStep",
                                       "hkRepEndBack",
                                       "hkRepEndSet",
                                       "hkRepEndStep",
                                       "hkRepeatPlaySwitch",
                                       "hkTrash",
                                       "hkSelect",
                                       "hkEjectCassette",
                                       "hkConfig",
                                       "hkRec",
                                       "hkAutoRec",
                                       "hkExit",
                                       "hkMinimize",
                                       "hkWaveFast",
                                       "hkWaveSlow",
                                       "hkExecSpeedChange",
                                       "hkRestoreSpeedChange",
                                       "hkJumpToStartTime",
                                       "hkHistoryBack"};
    ProfileFile file;
    for (const QString& section : {QStringLiteral("ConfFrm.ConfigItem0"), CurrentKeyBindSection}) {
        file.WriteString(section, "Name", section == CurrentKeyBindSection ? "" : "Windows");
        file.WriteString(section, "KeyCount", "29");
        for (int i = 0; i < 29; ++i) {
            const QString key = QStringLiteral("Key%1").arg(i);
            file.WriteString(section, key, windowsKeys[i]);
            file.WriteString(section, key + ".VirtualKey",
                             QStringLiteral("VK_%1").arg(QChar('A' + i % 26)));
            file.WriteString(section, key + ".ShiftState", i < 26 ? "" : "Shift");
        }
    }
    file.WriteString("ConfFrm", "ConfigItemCount", "1");
    ASSERT_TRUE(QFile::remove(path));
    file.SaveAs(path.toStdString());

    dialog = std::make_unique<TKeyBindFrm>(events, path);
    EXPECT_EQ(events.rkPrevTrack->VirtualKey(), 'A');
    EXPECT_EQ(events.rkHistoryBack->VirtualKey(), 'C');
    EXPECT_EQ(events.rkHistoryBack->ShiftState(), ssShift);
    for (const TRealTimeKey* added :
         {events.rkSpeedReset, events.rkTransposeUp, events.rkTransposeDown, events.rkCentsUp,
          events.rkCentsDown, events.rkSpeedTrainer}) {
        EXPECT_EQ(added->VirtualKey(), 0) << added->objectName().toStdString();
    }
    // The set of the Windows program still agrees with the keys.
    dialog->show();
    EXPECT_EQ(dialog->cbKeyBinds->currentText(), "Windows");
}

TEST_F(KeyBindFrmTest, ClosingWritesTheKeysBindingInEditorOrderAndDropsUnappliedEdits) {
    dialog = std::make_unique<TKeyBindFrm>(events, path);
    events.rkPause->SetVirtualKey(VkF5);
    dialog->show();
    QTest::keyClick(Editor("hkStop"), Qt::Key_X); // never applied
    dialog.reset();

    const ProfileFile file = WrittenFile();
    const QString current = QStringLiteral("MainFrm.CurrKeyBind");
    EXPECT_EQ(file.Value(current, "Name"), "");
    EXPECT_EQ(file.Value(current, "KeyCount"), "35");
    EXPECT_EQ(file.Value(current, "Key0"), "hkPrevTrack");
    EXPECT_EQ(file.Value(current, "Key3"), "hkPause");
    EXPECT_EQ(file.Value(current, "Key3.VirtualKey"), "VK_F5");
    EXPECT_EQ(file.Value(current, "Key2.VirtualKey"), "VK_S");
    EXPECT_EQ(file.Value(current, "Key15"), "hkTrash");
    EXPECT_EQ(file.Value(current, "Key19.ShiftState"), "Shift");
    EXPECT_EQ(file.Value(current, "Key28"), "hkHistoryBack");
    EXPECT_EQ(file.Value(current, "Key0.VirtualKey"), "NONE");
    // The saved sets stay as they were.
    EXPECT_EQ(file.Value("ConfFrm", "ConfigItemCount"), "2");
    EXPECT_EQ(file.Value("ConfFrm.ConfigItem1", "Key0.VirtualKey"), "vk_f5");
}

TEST_F(KeyBindFrmTest, ASetThatAgreesWithTheKeysIsSelectedWhenShownAlsoWithFewerEntries) {
    dialog = std::make_unique<TKeyBindFrm>(events, path);
    dialog->show();
    EXPECT_EQ(dialog->cbKeyBinds->currentIndex(), 0); // two entries of 29, both agree
    dialog->hide();
    events.rkPlay->SetVirtualKey(VkF5);
    events.rkPlay->SetShiftState(ssShift | ssCtrl);
    dialog->show();
    EXPECT_EQ(dialog->cbKeyBinds->currentIndex(), 1);
}

TEST_F(KeyBindFrmTest, EditsSurviveMinimisingAndRestoringTheDialog) {
    dialog = std::make_unique<TKeyBindFrm>(events, path);
    dialog->show();
    QTest::keyClick(Editor("hkPause"), Qt::Key_P);
    dialog->showMinimized();
    QCoreApplication::processEvents();
    dialog->showNormal();
    QCoreApplication::processEvents();
    EXPECT_EQ(Editor("hkPause")->VirtualKey(), 'P');
}

TEST_F(KeyBindFrmTest, TheListFollowsTheSetsWhenTheKeyFileCannotBeWritten) {
    dialog = std::make_unique<TKeyBindFrm>(events, path);
    dialog->show();
    // A folder in the file's place: no write can replace it.
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QDir().mkdir(path));
    QStringList errors;
    const ScopedApplicationErrorHandler handler(
        [&](const std::exception& error) { errors << QString::fromUtf8(error.what()); });
    SaveAs("Third");
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(path)) << errors[0].toStdString();
    ASSERT_EQ(dialog->Sets().size(), 3u);
    EXPECT_EQ(dialog->cbKeyBinds->count(), 3);
    EXPECT_EQ(dialog->cbKeyBinds->currentText(), "Third");

    AnswerDelete(QMessageBox::Ok);
    EXPECT_EQ(errors.size(), 2);
    EXPECT_EQ(dialog->cbKeyBinds->count(), 2);
    EXPECT_EQ(dialog->cbKeyBinds->currentIndex(), -1);
}

TEST_F(KeyBindFrmTest, AShortcutTakenByAnotherEditorLeavesItAndNoSetIsSelected) {
    dialog = std::make_unique<TKeyBindFrm>(events, path);
    events.rkPlay->SetVirtualKey(0);
    events.rkStop->SetVirtualKey(VkSpace);
    dialog->show();
    QTest::keyClick(Editor("hkPlay"), Qt::Key_Space);
    EXPECT_EQ(Editor("hkPlay")->VirtualKey(), VkSpace);
    EXPECT_EQ(Editor("hkStop")->VirtualKey(), 0);
    EXPECT_EQ(Editor("hkStop")->text(), "NONE");
    EXPECT_EQ(dialog->cbKeyBinds->currentIndex(), -1);
    // Shift+Space is another shortcut.
    QTest::keyClick(Editor("hkStop"), Qt::Key_Space, Qt::ShiftModifier);
    EXPECT_EQ(Editor("hkPlay")->VirtualKey(), VkSpace);
    EXPECT_EQ(events.rkStop->VirtualKey(), VkSpace); // nothing applied yet
}

TEST_F(KeyBindFrmTest, CancelKeepsTheKeysAndReopeningShowsThemAgainWhileApplyStoresTheEdits) {
    dialog = std::make_unique<TKeyBindFrm>(events, path);
    int applied = 0;
    QObject::connect(dialog.get(), &TKeyBindFrm::KeysApplied, [&] { ++applied; });
    dialog->show();
    QTest::keyClick(Editor("hkPause"), Qt::Key_P);
    dialog->btCancel->click();
    EXPECT_EQ(events.rkPause->VirtualKey(), 0);
    dialog->show();
    EXPECT_EQ(Editor("hkPause")->VirtualKey(), 0);
    EXPECT_EQ(Editor("hkPause")->text(), "NONE");

    // Choosing a set shows it; only Apply gives it to the keys.
    dialog->cbKeyBinds->setCurrentIndex(1);
    emit dialog->cbKeyBinds->activated(1);
    EXPECT_EQ(Editor("hkPlay")->VirtualKey(), VkF5);
    EXPECT_EQ(events.rkPlay->VirtualKey(), VkSpace);
    dialog->btApply->click();
    EXPECT_EQ(events.rkPlay->VirtualKey(), VkF5);
    EXPECT_EQ(events.rkPlay->ShiftState(), ssShift | ssCtrl);
    EXPECT_EQ(applied, 1);
}

TEST_F(KeyBindFrmTest, SavingUnderANameTakenButForCaseAsksAndRenamesTheSetInItsPlace) {
    dialog = std::make_unique<TKeyBindFrm>(events, path);
    dialog->show();
    QTest::keyClick(Editor("hkPause"), Qt::Key_P);

    SaveAs("f5 PLAY", QMessageBox::Cancel);
    EXPECT_EQ(questions,
              QStringList{"Key bind data of the same name already exists.\nOverwrite it?"});
    EXPECT_EQ(dialog->Sets()[1].Name, "F5 Play");

    SaveAs("f5 PLAY");
    ASSERT_EQ(dialog->Sets().size(), 2u);
    EXPECT_EQ(dialog->Sets()[1].Name, "f5 PLAY");
    EXPECT_EQ(dialog->Sets()[1].Keys.size(), 35u);
    EXPECT_EQ(dialog->cbKeyBinds->currentIndex(), 1);
    EXPECT_EQ(dialog->cbKeyBinds->currentText(), "f5 PLAY");
    const ProfileFile file = WrittenFile();
    EXPECT_EQ(file.Value("ConfFrm.ConfigItem1", "Name"), "f5 PLAY");
    EXPECT_EQ(file.Value("ConfFrm.ConfigItem1", "Key3.VirtualKey"), "VK_P");
    // The current binding was read and goes back to the file unchanged.
    EXPECT_EQ(file.Value("MainFrm.CurrKeyBind", "Key2.VirtualKey"), "VK_R");

    questions.clear();
    SaveAs("Third");
    EXPECT_TRUE(questions.isEmpty());
    EXPECT_EQ(dialog->cbKeyBinds->count(), 3);
    EXPECT_EQ(dialog->cbKeyBinds->currentIndex(), 2);
}

TEST_F(KeyBindFrmTest, DeletingTheSelectedSetAsksFirstAndLeavesTheLastSectionBehind) {
    dialog = std::make_unique<TKeyBindFrm>(events, path);
    dialog->show();
    dialog->cbKeyBinds->setCurrentIndex(0);
    AnswerDelete(QMessageBox::Cancel);
    ASSERT_EQ(dialog->Sets().size(), 2u);
    AnswerDelete(QMessageBox::Ok);
    EXPECT_EQ(questions.size(), 2);
    EXPECT_EQ(questions[0], "Quavrel will delete the current key bind data.\nContinue?");
    ASSERT_EQ(dialog->Sets().size(), 1u);
    EXPECT_EQ(dialog->Sets()[0].Name, "F5 Play");
    EXPECT_EQ(dialog->cbKeyBinds->currentIndex(), -1);
    const ProfileFile file = WrittenFile();
    EXPECT_EQ(file.Value("ConfFrm", "ConfigItemCount"), "1");
    EXPECT_EQ(file.Value("ConfFrm.ConfigItem0", "Name"), "F5 Play");
    EXPECT_EQ(file.Value("ConfFrm.ConfigItem1", "Name"), "F5 Play"); // ignored from now on

    // With nothing selected Delete asks nothing.
    dialog->btDelete->click();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(questions.size(), 2);
}

TEST_F(KeyBindFrmTest, ANameGivenAfterTheDialogIsGoneSavesNothing) {
    dialog = std::make_unique<TKeyBindFrm>(events, path);
    dialog->show();
    dialog->btSaveAs->click();
    const QPointer<TInputFrm> box = OpenModal<TInputFrm>();
    ASSERT_FALSE(box.isNull());
    dialog.reset();
    box->Edit1->setText("Late");
    box->Button1->click();
    EXPECT_EQ(WrittenFile().Value("ConfFrm", "ConfigItemCount"), "2");
}

TEST_F(KeyBindFrmTest, NoKeyFileLeavesEveryKeyUnboundAndClosingMakesOne) {
    QFile::remove(path);
    events.rkPlay->SetVirtualKey(VkSpace);
    dialog = std::make_unique<TKeyBindFrm>(events, path);
    EXPECT_EQ(events.rkPlay->VirtualKey(), 0);
    EXPECT_EQ(dialog->cbKeyBinds->count(), 0);
    dialog.reset();
    EXPECT_EQ(WrittenFile().Value("MainFrm.CurrKeyBind", "KeyCount"), "35");
}

TEST(DefaultKeyFileTest, BindsEveryActionOnceInEachSetAndStartsWithTheDefaultSet) {
    TempDir folder;
    const QString path = QString::fromStdString(folder.File("quavrel_key.ini"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(QUAVREL_PROGRAM_FOLDER "/quavrel_key.ini"), path));
    TEventModule events;
    TKeyBindFrm dialog(events, path);
    QStringList editorNames;
    for (const TRealTimeVirtualCodeHotKey* editor : dialog.Editors()) {
        editorNames.append(editor->objectName());
    }
    ASSERT_EQ(dialog.Sets().size(), 2u);
    EXPECT_EQ(dialog.Sets()[0].Name, "Default");
    EXPECT_EQ(dialog.Sets()[1].Name, "Numeric Keypad");
    for (const TKeyBind& set : dialog.Sets()) {
        QStringList names;
        std::set<std::pair<std::uint16_t, TShiftState>> shortcuts;
        for (const TKey& key : set.Keys) {
            names.append(key.Name);
            EXPECT_NE(key.VirtualKey, 0) << set.Name.toStdString() << " " << key.Name.toStdString();
            EXPECT_TRUE(shortcuts.insert({key.VirtualKey, key.ShiftState}).second)
                << set.Name.toStdString() << ": " << key.Name.toStdString() << " shares a shortcut";
        }
        EXPECT_EQ(names, editorNames) << set.Name.toStdString();
    }
    EXPECT_EQ(events.rkPlay->VirtualKey(), VkSpace);
    EXPECT_EQ(events.rkRepStartBack->ShiftState(), ssShift);
    dialog.show();
    EXPECT_EQ(dialog.cbKeyBinds->currentText(), "Default");
}

} // namespace
