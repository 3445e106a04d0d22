#include "platform/profile_file.h"
#include "tests/support/temp_dir.h"
#include "tool_process.h"

#include <QFile>
#include <gtest/gtest.h>

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
    };
    for (const auto& entry : expected) {
        EXPECT_EQ(text.Value(entry.section, entry.key), QString::fromUtf8(entry.value))
            << entry.section << " " << entry.key;
    }
    // Qt's own parts of a scroll area are no components of a dialog.
    EXPECT_FALSE(text.Value("KeyBindFrm", "qt_scrollarea_viewport.Hint").has_value());
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
