#include "platform/profile_file.h"
#include "tests/support/temp_dir.h"
#include "tool_process.h"

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <optional>

namespace {

// The template names every text of the dialogs a language file may translate, under the
// sections and keys the program reads.
TEST(LangTemplateToolTest, WritesTheSectionsOfEveryTranslatedWindow) {
    TempDir dir;
    const std::string output = dir.File("quavrel_lang.ini");
    ToolProcess tool(QUAVREL_LANG_TEMPLATE_TOOL, {Arg(output)});
    ASSERT_TRUE(tool.Finish());
    ASSERT_EQ(tool.ExitCode(), 0) << tool.Errors();
    const ProfileFile text(output);
    const struct {
        const char* section;
        const char* key;
        const char* value;
    } expected[] = {
        {"Messages", "SSelectFrmNone", "(Eject)"},
        {"KeyBindFrm", "KeyBindFrm.Caption", "Key Bind Configuration"},
        {"KeyBindFrm", "lbRepStartSet.Caption", "Set"},
        {"KeyBindFrm", "gbRepeatEnd.Caption", "Repeat End Position"},
        {"KeyBindFrm", "btSaveAs.Caption", "&Save as"},
        {"SelectFrm", "SelectFrm.Caption", "Cassette Manager"},
        {"SelectFrm", "miSortAlphabetically.Caption", "Sort &Alphabetically"},
        {"SelectFrm", "Label2.Caption",
         "Tips : You can rearrange its order by dragging list items."},
        {"PlaylistFrm", "PlaylistFrm.Caption", "PLAY LIST"},
        {"PlaylistFrm", "miPlayThisFile.Caption", "&Play This File"},
        {"PlaylistFrm", "miDeleteNode.Caption", "D&elete This Folder/File"},
        {"AutorecFrm", "llCancel.Caption", "CANCEL"},
        {"ExpandWaveFrm", "ExpandWaveFrm.Caption", "Wave File Expansion"},
        {"ExpandWaveFrm", "rbRatioPercent.Caption", "by Percent"},
        {"EventModule", "miShowPlayList.Caption", "Show &Playlist"},
        {"EventModule", "miOptionDontCheckDisuse.Caption",
         "&Don't check disuse temporary files on start up"},
        {"PlaylistFrm", "OpenDialog.Caption", "Open"},
    };
    for (const auto& entry : expected) {
        EXPECT_EQ(text.Value(entry.section, entry.key), QString::fromUtf8(entry.value))
            << entry.section << " " << entry.key;
    }
    // Qt's own parts of a scroll area are no components of a dialog.
    EXPECT_FALSE(text.Value("KeyBindFrm", "qt_scrollarea_viewport.Hint").has_value());
    // Nor are the widgets of a file dialog, which Qt fills itself.
    EXPECT_FALSE(text.Value("PlaylistFrm", "lookInCombo.Items").has_value());
}

// The placeholders of a message as the formatter reads them ("%d", "%2.3f", "%-20s"), in order,
// one blank between them.
std::string Placeholders(const QString& text) {
    static const QRegularExpression placeholder(
        QStringLiteral("%%|%[-+ #0]*[0-9]{0,2}(?:\\.[0-9]{1,2})?[dsf]"));
    QStringList found;
    for (const QRegularExpressionMatch& match : placeholder.globalMatch(text)) {
        if (match.captured() != QStringLiteral("%%")) {
            found << match.captured();
        }
    }
    return found.join(u' ').toStdString();
}

// The Japanese file shipped with the program translates every text of the template, with the
// English text's placeholders in their order, and names nothing the program does not have.
TEST(LangTemplateToolTest, TheJapaneseFileHasEveryTextOfTheTemplate) {
    TempDir dir;
    const std::string output = dir.File("quavrel_lang.ini");
    ToolProcess tool(QUAVREL_LANG_TEMPLATE_TOOL, {Arg(output)});
    ASSERT_TRUE(tool.Finish());
    ASSERT_EQ(tool.ExitCode(), 0) << tool.Errors();
    const ProfileFile english(output);
    const ProfileFile japanese(QUAVREL_JAPANESE_FILE);
    english.ForEachValue([&](const QString& section, const QString& key, const QString& text) {
        const std::string where = section.toStdString() + " " + key.toStdString();
        const std::optional<QString> japaneseText = japanese.Value(section, key);
        if (text.isEmpty()) {
            // Nothing to translate.
            EXPECT_FALSE(japaneseText.has_value()) << where;
            return;
        }
        ASSERT_TRUE(japaneseText.has_value()) << where << " is missing";
        EXPECT_EQ(Placeholders(*japaneseText), Placeholders(text)) << where;
    });
    japanese.ForEachValue([&](const QString& section, const QString& key, const QString&) {
        EXPECT_TRUE(english.ValueExists(section, key))
            << section.toStdString() << " " << key.toStdString() << " is no text of the program";
    });
}

// Asked how it is used, the tool says so and writes no file named after the question.
TEST(LangTemplateToolTest, AnOptionIsNoOutputFile) {
    for (const char* option : {"--help", "-h", "--version"}) {
        ToolProcess tool(QUAVREL_LANG_TEMPLATE_TOOL, {option});
        ASSERT_TRUE(tool.Finish());
        EXPECT_EQ(tool.ExitCode(), 1) << option;
        EXPECT_NE(tool.Errors().find("Usage: quavrel-lang-template OUT.ini"), std::string::npos)
            << tool.Errors();
        EXPECT_FALSE(QFile::remove(QString::fromLatin1(option))) << option;
    }
}

} // namespace
