#include "actions/language_choice.h"
#include "actions/language_file.h"
#include "actions/language_template.h"
#include "actions/messages.h"
#include "platform/profile_file.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wave_fixture.h"

#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QStringDecoder>
#include <QStringEncoder>
#include <gtest/gtest.h>
#include <optional>

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

// A template written where a list was empty holds "Items=" with nothing after it; a file copied
// from it must not take away what the program has put in the list since (the saved key sets).
TEST_F(LanguageFileTest, AnEmptyListValueLeavesTheListAsTheProgramFilledIt) {
    SampleDialog dialog;
    auto* notes = new QPlainTextEdit("first\nsecond", &dialog.root);
    notes->setObjectName("meNotes");
    auto* windows = new QListWidget(&dialog.root);
    windows->setObjectName("lbWindows");
    RegisterComponents({&dialog.root});
    Load("[KeyBindFrm]\n"
         "cbKinds.Items=\n"
         "meNotes.Lines=\n"
         "lbWindows.Items=\n"
         "edName.Text=\n");
    ASSERT_EQ(dialog.kinds->count(), 2);
    EXPECT_EQ(dialog.kinds->itemText(0), "Normal");
    EXPECT_EQ(dialog.kinds->itemText(1), "Wide one");
    EXPECT_EQ(notes->toPlainText(), "first\nsecond");
    EXPECT_EQ(windows->count(), 0);
    // A text may well be translated to nothing.
    EXPECT_EQ(dialog.name->text(), "");
}

// A file dialog is Qt's: its title is the program's to translate, the widgets inside it are
// not (its look-in list holds the folder it shows).
TEST_F(LanguageFileTest, AFileDialogTakesPartWithoutTheWidgetsItIsMadeOf) {
    SampleDialog dialog;
    auto* open = new QFileDialog(&dialog.root);
    open->setOption(QFileDialog::DontUseNativeDialog);
    open->setObjectName("OpenDialog");
    open->setWindowTitle("Open");
    auto* lookIn = open->findChild<QComboBox*>("lookInCombo");
    ASSERT_NE(lookIn, nullptr);
    const QString folderShown = lookIn->itemText(0);
    RegisterComponents({&dialog.root});
    const std::string path = folder.File("template.ini");
    WriteLanguageTemplate(path);
    const ProfileFile written(path);
    EXPECT_EQ(written.Value("KeyBindFrm", "OpenDialog.Caption"), "Open");
    EXPECT_FALSE(written.ValueExists("KeyBindFrm", "lookInCombo.Items"));
    EXPECT_FALSE(written.ValueExists("KeyBindFrm", "fileNameLabel.Caption"));

    Load("[KeyBindFrm]\nOpenDialog.Caption=Öffnen\nlookInCombo.Items=\"/elsewhere\"\n");
    EXPECT_EQ(open->windowTitle(), "Öffnen");
    EXPECT_EQ(lookIn->itemText(0), folderShown);
}

TEST(LanguageChoiceTest, CommandLineCodeNamesTheFile) {
    const LanguageChoice choice = ChooseLanguageFile("/opt/q", {"-lang", "jap"}, {"C"});
    EXPECT_EQ(choice.Path, "/opt/q/quavrel_lang.jap.ini");
    EXPECT_EQ(choice.Code, "jap");
    EXPECT_EQ(ChooseLanguageFile("/nowhere", {"-lang"}, {"C"}).Path, "/nowhere/quavrel_lang.ini");
    EXPECT_EQ(ChooseLanguageFile("/nowhere", {"x", "-lang", "jap"}, {"C"}).Code, "");
}

// Which file a start takes from the command line, the desktop's locale and the files installed
// in the program folder ("" standing for quavrel_lang.ini).
TEST(LanguageChoiceTest, CommandLineThenLocaleWithItsFileThenEnglish) {
    const struct {
        QStringList arguments;
        QStringList locales; // the desktop's, in the order it prefers them
        QStringList installed;
        const char* file; // of the choice
        const char* code;
    } cases[] = {
        {{"-lang", "jap"}, {"en_US.UTF-8"}, {"jap", "eng", ""}, "quavrel_lang.jap.ini", "jap"},
        {{"-lang", "eng"}, {"ja_JP.UTF-8"}, {"jap", "eng"}, "quavrel_lang.eng.ini", "eng"},
        // A file that is not there still names the language chosen; it changes no text.
        {{"-lang", "fra"}, {"ja_JP.UTF-8"}, {"jap"}, "quavrel_lang.fra.ini", "fra"},
        {{}, {"ja_JP.UTF-8"}, {"jap", "eng", ""}, "quavrel_lang.jap.ini", "jap"},
        {{}, {"ja_JP.eucJP"}, {"eng", "jap"}, "quavrel_lang.jap.ini", "jap"},
        {{}, {"ja"}, {"jap"}, "quavrel_lang.jap.ini", "jap"},
        {{}, {"ja_JP@modifier"}, {"jap"}, "quavrel_lang.jap.ini", "jap"},
        {{}, {"de_AT.UTF-8"}, {"jap", "de"}, "quavrel_lang.de.ini", "de"},
        // A file named in capitals, as on Windows, is the same language; the rest of the
        // program (fonts, skin titles) knows the code in small letters.
        {{}, {"ja_JP.UTF-8"}, {"JAP"}, "quavrel_lang.JAP.ini", "jap"},
        {{"-lang", "JAP"}, {"C"}, {"jap"}, "quavrel_lang.jap.ini", "jap"},
        {{"-lang", "Jap"}, {"C"}, {"JAP"}, "quavrel_lang.JAP.ini", "jap"},
        // The first language the desktop prefers that has a file; English stops the search.
        {{}, {"fr", "ja", "en_US.UTF-8"}, {"jap", "de"}, "quavrel_lang.jap.ini", "jap"},
        {{}, {"en_US", "ja_JP.UTF-8"}, {"jap"}, "quavrel_lang.ini", ""},
        {{}, {"en", "ja_JP.UTF-8"}, {"jap", "en"}, "quavrel_lang.en.ini", "en"},
        // No file for the locale's language: English, whatever else is installed.
        {{}, {"ja_JP.UTF-8"}, {"eng", "", "de"}, "quavrel_lang.ini", ""},
        {{}, {"ja_JP.UTF-8"}, {}, "quavrel_lang.ini", ""},
        {{}, {"en_GB.UTF-8"}, {"jap", "de"}, "quavrel_lang.ini", ""},
        {{}, {"C.UTF-8"}, {"jap", "", "eng"}, "quavrel_lang.ini", ""},
        {{}, {"POSIX"}, {"jap"}, "quavrel_lang.ini", ""},
        {{}, {}, {"jap", "eng"}, "quavrel_lang.ini", ""},
    };
    for (const auto& c : cases) {
        TempDir folder;
        for (const QString& code : c.installed) {
            WriteFile(folder.File(code.isEmpty() ? "quavrel_lang.ini"
                                                 : "quavrel_lang." + code.toStdString() + ".ini"),
                      {});
        }
        const std::string scene = c.arguments.join(' ').toStdString() + " | " +
                                  c.locales.join(':').toStdString() + " | " +
                                  c.installed.join(',').toStdString();
        const LanguageChoice choice =
            ChooseLanguageFile(QString::fromStdString(folder.Path()), c.arguments, c.locales);
        EXPECT_EQ(choice.Path.toStdString(), folder.File(c.file)) << scene;
        EXPECT_EQ(choice.Code, c.code) << scene;
    }
}

// Qt's own texts are looked up by the language of the locale a code stands for.
TEST(LanguageChoiceTest, ACodeStandsForTheLanguageOfItsLocale) {
    EXPECT_EQ(LocaleLanguage("jap"), "ja");
    EXPECT_EQ(LocaleLanguage("de"), "de");
    EXPECT_EQ(LocaleLanguage(""), "");
}

// The locale for messages is the first set of LC_ALL, LC_MESSAGES and LANG, as for every
// program of the desktop; the languages LANGUAGE lists come before it, unless the locale is
// the "C" one (or none), as gettext has it.
TEST(LanguageChoiceTest, TheLanguagesForMessagesFollowThePrecedenceOfTheirVariables) {
    const struct {
        const char* language;
        const char* all;
        const char* messages;
        const char* lang;
        QStringList languages;
    } cases[] = {
        {"", "ja_JP.UTF-8", "en_US.UTF-8", "de_DE.UTF-8", {"ja_JP.UTF-8"}},
        {"", "", "ja_JP.UTF-8", "en_US.UTF-8", {"ja_JP.UTF-8"}},
        {"", "", "", "ja_JP.UTF-8", {"ja_JP.UTF-8"}},
        {"", "", "", "", {}},
        {"en_US:en", "", "", "ja_JP.UTF-8", {"en_US", "en", "ja_JP.UTF-8"}},
        {"ja::de", "", "", "en_US.UTF-8", {"ja", "de", "en_US.UTF-8"}},
        {"ja", "C", "", "ja_JP.UTF-8", {"C"}},
        {"ja", "", "", "POSIX", {"POSIX"}},
        {"ja", "", "", "C.UTF-8", {"C.UTF-8"}},
        {"ja", "", "", "", {}},
    };
    const char* names[] = {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"};
    std::optional<QByteArray> kept[4];
    for (int i = 0; i < 4; ++i) {
        if (qEnvironmentVariableIsSet(names[i])) {
            kept[i] = qgetenv(names[i]);
        }
    }
    for (const auto& c : cases) {
        const char* values[] = {c.language, c.all, c.messages, c.lang};
        for (int i = 0; i < 4; ++i) {
            qputenv(names[i], values[i]);
        }
        EXPECT_EQ(MessagesLanguages(), c.languages)
            << c.language << "|" << c.all << "|" << c.messages << "|" << c.lang;
    }
    for (int i = 0; i < 4; ++i) {
        if (kept[i]) {
            qputenv(names[i], *kept[i]);
        } else {
            qunsetenv(names[i]);
        }
    }
}

} // namespace
