#include "actions/language_choice.h"
#include "actions/language_file.h"
#include "actions/language_template.h"
#include "actions/messages.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wave_fixture.h"

#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QStringDecoder>
#include <QStringEncoder>
#include <gtest/gtest.h>

namespace {

void WriteText(const std::string& path, const QByteArray& bytes) {
    WriteFile(path, Bytes(bytes.begin(), bytes.end()));
}

// Every test starts from the English texts and leaves them so.
class LanguageFileTest : public testing::Test {
protected:
    void SetUp() override {
        for (const MessageEntry& entry : RegisteredMessages()) {
            *entry.Text = entry.Default;
        }
    }
    void TearDown() override { SetUp(); }

    QString Load(const QByteArray& bytes) {
        const std::string path = folder.File("quavrel_lang.test.ini");
        WriteText(path, bytes);
        LoadLanguageFile(QString::fromStdString(path));
        return QString::fromStdString(path);
    }

    TempDir folder;
};

TEST_F(LanguageFileTest, ReplacesMessagesByKeyWithLineBreaksAndLeavesTheRest) {
    Load("[messages]\r\n"
         "SFileList = Dateiliste \r\n"
         "sselectfrmcassette=Aufnahme %d<br>neu\r\n"
         "SSaveDialogTitle=Tastenbelegung sichern\r\n"
         "SPlayFile=\" DATEI \"\r\n"
         "SNewFolder=/*****/\r\n"
         "[Other]\r\n"
         "SCouldNotPlayCD=not from this section\r\n");
    EXPECT_EQ(SFileList, "Dateiliste");
    EXPECT_EQ(SSelectFrmCassette, "Aufnahme %d\r\nneu");
    EXPECT_EQ(SSaveDialogTitle, "Tastenbelegung sichern");
    EXPECT_EQ(SPlayFile, " DATEI ");
    EXPECT_EQ(SNewFolder, "New Folder");
    EXPECT_EQ(SCouldNotPlayCD, "Failed to play the CD.");
    EXPECT_EQ(SInternalError, "An internal error occurred in %s");
}

TEST_F(LanguageFileTest, TextsWithOtherPlaceholdersThanTheEnglishOnesAreNotUsed) {
    Load("[Messages]\n"
         "SFatalError=%s%s%n\n"
         "SFileNotFound=%d fehlt.\n"
         "SSelectFrmRepeat=Abschnitt\n"
         "SExpandWaveWaveFileInfo1=%2.3f(s) %d\n"
         "SCouldNotPlayFile=Fehler %s\n"
         "SMSG_DONEDELETE=%d Dateien zu 100% gelöscht.\n"
         "SConfirmDeleteNode=%-20s wird gelöscht.\n");
    EXPECT_TRUE(SFatalError.startsWith("An error occurred.\r%s\r"));
    EXPECT_EQ(SFileNotFound, "%s does not exist.");
    EXPECT_EQ(SSelectFrmRepeat, "Repeat Section %d");
    EXPECT_EQ(SExpandWaveWaveFileInfo1, "%d(sample)  %2.3f(sec)");
    EXPECT_EQ(SCouldNotPlayFile, "An error occurred while playing the file.");
    EXPECT_EQ(SMSG_DONEDELETE, "%d Dateien zu 100% gelöscht.");
    EXPECT_EQ(SConfirmDeleteNode, "%-20s wird gelöscht.");
}

TEST_F(LanguageFileTest, ShiftJisFilesWrittenOnWindowsAreRead) {
    const QString japanese = QStringLiteral("ファイルリスト");
    QStringEncoder shiftJis("Shift_JIS");
    ASSERT_TRUE(shiftJis.isValid());
    const QByteArray bytes = "[Messages]\r\nSFileList=" + QByteArray(shiftJis(japanese)) +
                             "\r\nSPlayCD=\x83\x68\x83\x89\x83\x43\x83\x75 %s\r\n";
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString asUtf8 = utf8(bytes);
    ASSERT_TRUE(utf8.hasError());
    Load(bytes);
    EXPECT_EQ(SFileList, japanese);
    EXPECT_EQ(SPlayCD, QStringLiteral("ドライブ %s"));
}

TEST_F(LanguageFileTest, UtfEightFilesKeepTheirCharacters) {
    Load("\xEF\xBB\xBF[Messages]\nSFileList=ファイル一覧 – ü\n");
    EXPECT_EQ(SFileList, QStringLiteral("ファイル一覧 – ü"));
}

TEST_F(LanguageFileTest, AMissingFileChangesNothing) {
    LoadLanguageFile(QString::fromStdString(folder.File("absent.ini")));
    EXPECT_EQ(SFileList, "Registered File List");
}

// A dialog as the program builds them: named components, and an unnamed group box whose
// contents are nobody's business.
struct SampleDialog {
    SampleDialog() {
        root.setObjectName("KeyBindFrm");
        root.setWindowTitle("Key Bind");
        title->setObjectName("lbTitle");
        name->setObjectName("edName");
        kinds->setObjectName("cbKinds");
        kinds->addItems({"Normal", "Wide one"});
        inside->setObjectName("lbInside");
        unnamedGroup->setTitle("Group");
    }

    QDialog root;
    QLabel* title = new QLabel("Title", &root);
    QLineEdit* name = new QLineEdit("default", &root);
    QComboBox* kinds = new QComboBox(&root);
    QGroupBox* unnamedGroup = new QGroupBox(&root);
    QLabel* inside = new QLabel("Inside", unnamedGroup);
};

TEST_F(LanguageFileTest, DialogTextsAreReplacedExceptUnderAnUnnamedComponent) {
    SampleDialog dialog;
    RegisterComponents({&dialog.root});
    Load("[KeyBindFrm]\n"
         "KeyBindFrm.Caption=Tastenbelegung\n"
         "lbTitle.Caption=Titel<br>zwei\n"
         "lbTitle.Hint=Hinweis\n"
         "edName.Text=Vorgabe\n"
         "cbKinds.Items=\"Normal\",\"Breit, sehr\"\n"
         "lbInside.Caption=Innen\n"
         ".Caption=Gruppe\n"
         "lbTitle.Name=renamed\n");
    EXPECT_EQ(dialog.root.windowTitle(), "Tastenbelegung");
    EXPECT_EQ(dialog.title->text(), "Titel\r\nzwei");
    EXPECT_EQ(dialog.title->toolTip(), "Hinweis");
    EXPECT_EQ(dialog.title->objectName(), "lbTitle");
    EXPECT_EQ(dialog.name->text(), "Vorgabe");
    ASSERT_EQ(dialog.kinds->count(), 2);
    EXPECT_EQ(dialog.kinds->itemText(1), "Breit, sehr");
    EXPECT_EQ(dialog.inside->text(), "Inside");
    EXPECT_EQ(dialog.unnamedGroup->title(), "Group");
}

TEST_F(LanguageFileTest, TheTemplateHoldsEveryTextAndLoadsBackUnchanged) {
    SampleDialog dialog;
    RegisterComponents({&dialog.root});
    const std::string path = folder.File("template.ini");
    WriteLanguageTemplate(path);
    const Bytes bytes = ReadFile(path);
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(bytes.data()),
                                           static_cast<qsizetype>(bytes.size()));
    EXPECT_TRUE(text.startsWith("[Messages]\nSQuavrelUrl="));
    EXPECT_TRUE(text.contains("\nSSaveDialogTitle=Save the current key bind\n"));
    EXPECT_TRUE(text.contains("\nSPlayFile=\" FILE \"\n"));
    EXPECT_TRUE(text.contains("\nSSaveDialogDuplicate=Key bind data of the same name already "
                              "exists.<br>Overwrite it?\n"));
    EXPECT_TRUE(text.contains("\n[KeyBindFrm]\nlbTitle.Caption=Title\nlbTitle.Hint=\n"));
    EXPECT_TRUE(text.contains("\ncbKinds.Items=\"Normal\",\"Wide one\"\n"));
    EXPECT_TRUE(text.contains("\nKeyBindFrm.Caption=Key Bind\n"));
    EXPECT_FALSE(text.contains("lbInside"));

    LoadLanguageFile(QString::fromStdString(path));
    for (const MessageEntry& entry : RegisteredMessages()) {
        EXPECT_EQ(*entry.Text, QString(entry.Default).replace("\r", "\r\n"))
            << entry.Key.toStdString();
    }
    EXPECT_EQ(dialog.kinds->itemText(1), "Wide one");
    EXPECT_EQ(dialog.name->text(), "default");
}

TEST(LanguageChoiceTest, CommandLineCodeNamesTheFile) {
    const LanguageChoice choice = ChooseLanguageFile("/opt/q", {"-lang", "jap"});
    EXPECT_EQ(choice.Path, "/opt/q/quavrel_lang.jap.ini");
    EXPECT_EQ(choice.Code, "jap");
    EXPECT_EQ(ChooseLanguageFile("/nowhere", {"-lang"}).Path, "/nowhere/quavrel_lang.ini");
    EXPECT_EQ(ChooseLanguageFile("/nowhere", {"x", "-lang", "jap"}).Code, "");
}

TEST(LanguageChoiceTest, WithoutACodeTheFirstFileTheFolderListsIsUsed) {
    TempDir folder;
    WriteFile(folder.File("quavrel_lang.eng.ini"), {});
    WriteFile(folder.File("quavrel_lang.jap.ini"), {});
    WriteFile(folder.File("other.ini"), {});
    const LanguageChoice choice = ChooseLanguageFile(QString::fromStdString(folder.Path()), {});
    ASSERT_TRUE(choice.Code == "eng" || choice.Code == "jap") << choice.Code.toStdString();
    EXPECT_EQ(choice.Path.toStdString(),
              folder.File("quavrel_lang." + choice.Code.toStdString() + ".ini"));
}

TEST(LanguageChoiceTest, ANameWithoutCodeGivesItsWholeStemAndNoFileTheDefault) {
    TempDir folder;
    const QString path = QString::fromStdString(folder.Path());
    EXPECT_EQ(ChooseLanguageFile(path, {}).Path.toStdString(), folder.File("quavrel_lang.ini"));
    EXPECT_EQ(ChooseLanguageFile(path, {}).Code, "");
    WriteFile(folder.File("quavrel_lang.ini"), {});
    EXPECT_EQ(ChooseLanguageFile(path, {}).Code, "quavrel_lang");
}

} // namespace
