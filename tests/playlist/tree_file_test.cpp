#include "playlist/tree_file.h"

#include <gtest/gtest.h>

namespace {

TreeFileNode File(const QString& name, const QString& path) {
    return {.Name = name, .FileName = path, .Folder = false, .Expanded = false, .Children = {}};
}

TreeFileNode Folder(const QString& name, bool expanded, std::vector<TreeFileNode> children) {
    return {.Name = name,
            .FileName = name,
            .Folder = true,
            .Expanded = expanded,
            .Children = std::move(children)};
}

TEST(TreeFileTest, CaptionsAndPathsOfEveryKindComeBackAsTheyWere) {
    const QString texts[] = {
        "plain",
        "two words",
        "a,comma",
        "say \"hi\"",
        "\"quoted\"",
        "tab\there",
        " edge blanks ",
        "日本語の曲",
        "ソング",
        "=equals=",
        "",
        "x\x01y",
        "C:\\Music\\a b.mp3",
    };
    for (const QString& text : texts) {
        const std::vector<TreeFileNode> nodes{
            Folder(text, true, {File(text, "/music/" + text), Folder("inner", false, {})}),
            File(text, text)};
        const TreeFileContent read = ParseTreeFile(TreeFileBytes(nodes));
        EXPECT_FALSE(read.DamagedLine);
        EXPECT_EQ(read.Nodes, nodes) << text.toStdString();
    }
}

TEST(TreeFileTest, PairsAreWrittenInOrderAndQuotedWhereTheyMustBe) {
    const std::vector<TreeFileNode> nodes{
        Folder("Songs", true, {File("My Song", "/m/My Song.mp3"), File("a,\"b\"", "/m/x.mp3")})};
    EXPECT_EQ(TreeFileBytes(nodes).toStdString(),
              "\tNAME=Songs,FILENAME=Songs,TYPE=FOLDER,EXPANDED=TRUE,COUNT=2\n"
              "\t\t\"NAME=My Song\",\"FILENAME=/m/My Song.mp3\",TYPE=FILE,COUNT=0\n"
              "\t\t\"NAME=a,\"\"b\"\"\",FILENAME=/m/x.mp3,TYPE=FILE,COUNT=0\n");
}

TEST(TreeFileTest, AFileOfTheWindowsProgramLoadsWithItsJapaneseTexts) {
    // CR LF line ends; "ソング" and "日本語" in Shift-JIS ("ソ" ends in the byte of a backslash).
    const QByteArray song("\x83\x5c\x83\x93\x83\x4f");
    const QByteArray japanese("\x93\xfa\x96\x7b\x8c\xea");
    const QByteArray bytes = "\t\"NAME=" + japanese + " folder\",\"FILENAME=New Forder\"," +
                             "TYPE=FOLDER,EXPANDED=FALSE,COUNT=1\r\n" + "\t\tNAME=" + song +
                             ",FILENAME=C:\\Music\\" + song + ".mp3,TYPE=FILE,COUNT=0\r\n";
    const TreeFileContent read = ParseTreeFile(bytes);
    const std::vector<TreeFileNode> expected{
        {.Name = "日本語 folder",
         .FileName = "New Forder",
         .Folder = true,
         .Expanded = false,
         .Children = {File("ソング", "C:\\Music\\ソング.mp3")}}};
    EXPECT_FALSE(read.DamagedLine);
    EXPECT_EQ(read.Nodes, expected);
    EXPECT_EQ(ParseTreeFile(TreeFileBytes(read.Nodes)).Nodes, expected);
}

TEST(TreeFileTest, LinesOfTheWrongIndentationAreSkippedButCountTowardsTheirFolder) {
    const QByteArray bytes = "\t\t\tNAME=lost,FILENAME=/a,TYPE=FILE,COUNT=0\n"
                             "\tNAME=F,FILENAME=F,TYPE=FOLDER,EXPANDED=TRUE,COUNT=2\n"
                             "\t\t\tNAME=deep,FILENAME=/d,TYPE=FILE,COUNT=0\n"
                             "\t\tNAME=in,FILENAME=/i,TYPE=FILE,COUNT=0\n"
                             "\t\tNAME=after,FILENAME=/x,TYPE=FILE,COUNT=0\n"
                             "\tNAME=top,FILENAME=/t,TYPE=FILE,COUNT=0\n";
    const std::vector<TreeFileNode> expected{Folder("F", true, {File("in", "/i")}),
                                             File("top", "/t")};
    std::vector<TreeFileNode> read = ParseTreeFile(bytes).Nodes;
    read[0].FileName = "F";
    EXPECT_EQ(read, expected);
}

TEST(TreeFileTest, KeysAnyCaseTypesAndExpandedExactlyPairsAtBlanks) {
    const QByteArray bytes = "\tcount=0 type=FILE name=a filename=/a\n"
                             "\tNAME=b,FILENAME=/b,TYPE=file,COUNT=0\n"
                             "\tNAME=c,TYPE=FOLDER,EXPANDED=true,COUNT=0\n"
                             "\tNAME=d,TYPE=DRIVE,COUNT=0\n";
    const std::vector<TreeFileNode> read = ParseTreeFile(bytes).Nodes;
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0], File("a", "/a"));
    EXPECT_EQ(read[1].Name, "c");
    EXPECT_FALSE(read[1].Expanded);
}

TEST(TreeFileTest, AFolderCountThatIsNoNumberStopsTheReadingAtItsLine) {
    const QByteArray bytes = "\tNAME=a,FILENAME=/a,TYPE=FILE,COUNT=0\n"
                             "\tNAME=F,TYPE=FOLDER,COUNT=1\n"
                             "\t\tNAME=b,FILENAME=/b,TYPE=FILE,COUNT=0\n"
                             "\tNAME=G,TYPE=FOLDER,COUNT=$2\n"
                             "\tNAME=c,FILENAME=/c,TYPE=FILE,COUNT=0\n";
    const TreeFileContent read = ParseTreeFile(bytes);
    EXPECT_EQ(read.DamagedLine, 4);
    ASSERT_EQ(read.Nodes.size(), 2u);
    EXPECT_EQ(read.Nodes[1].Children, std::vector{File("b", "/b")});
}

TEST(TreeFileTest, AHostileFileIsBoundedInDepthAndCount) {
    QByteArray deep;
    for (int level = 1; level <= MaxTreeFileDepth + 1; ++level) {
        deep += QByteArray(level, '\t') + "NAME=f,TYPE=FOLDER,COUNT=2147483647\n";
    }
    EXPECT_EQ(ParseTreeFile(deep).DamagedLine, MaxTreeFileDepth + 1);

    const TreeFileContent huge = ParseTreeFile("\tNAME=f,TYPE=FOLDER,COUNT=2147483647\n"
                                               "\t\tNAME=a,FILENAME=/a,TYPE=FILE,COUNT=0\n");
    EXPECT_FALSE(huge.DamagedLine);
    EXPECT_EQ(huge.Nodes.at(0).Children.size(), 1u);
    EXPECT_EQ(ParseTreeFile("\tNAME=f,TYPE=FOLDER,COUNT=99999999999\n").DamagedLine, 1);
    EXPECT_EQ(ParseTreeFile("\tNAME=" + QByteArray(MaxTreeFileLineBytes, 'x') + "\n").DamagedLine,
              1);
}

} // namespace
