#include "platform/profile_file.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wave_fixture.h"

#include <QStringEncoder>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray Text(const char* text) {
    return QByteArray(text);
}

// Bytes that may hold NULs.
template <std::size_t N> QByteArray Raw(const char (&bytes)[N]) {
    return QByteArray(bytes, N - 1);
}

std::string Written(const ProfileFile& file) {
    return file.ToBytes().toStdString();
}

TEST(ProfileFile, ReadsAsWindowsDoes) {
    const ProfileFile file = ProfileFile::FromBytes(Text("; a comment=not a key\r\n"
                                                         "[MainFrm]\r\n"
                                                         "  Top = 12  \r\n"
                                                         "top=99\r\n"
                                                         "Title=\" padded \"\r\n"
                                                         "Single='x'\r\n"
                                                         "Half=\"open\r\n"
                                                         "Equation=a=b\r\n"
                                                         "Empty=\r\n"
                                                         "NoValueLine\r\n"
                                                         "[ mainfrm ]\r\n"
                                                         "Left=5\r\n"
                                                         "[Song [live].mp3]\r\n"
                                                         "WaveFrmCount=1\r\n"));
    const struct {
        const char* section;
        const char* key;
        std::optional<QString> value;
    } cases[] = {
        {"MAINFRM", "TOP", "12"},
        {"MainFrm", "Title", " padded "},
        {"MainFrm", "Single", "x"},
        {"MainFrm", "Half", "\"open"},
        {"MainFrm", "Equation", "a=b"},
        {"MainFrm", "Empty", ""},
        {"MainFrm", "NoValueLine", {}},
        {"MainFrm", "Left", {}}, // only the first section counts
        {"Song [live].mp3", "WaveFrmCount", "1"},
        {"", "; a comment", {}},
        {"Nowhere", "Top", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(file.Value(c.section, c.key), c.value) << c.section << "/" << c.key;
    }
    EXPECT_TRUE(file.SectionExists(" mainfrm"));
    EXPECT_TRUE(file.ValueExists("mainfrm", "empty"));
    EXPECT_FALSE(file.ValueExists("mainfrm", "Left"));
    EXPECT_EQ(file.ReadString("MainFrm", "Missing", "default"), "default");
    EXPECT_EQ(file.ReadString("MainFrm", "Empty", "default"), "");
}

TEST(ProfileFile, IntegersAndBooleans) {
    const ProfileFile file = ProfileFile::FromBytes(Text("[S]\n"
                                                         "a=12\n"
                                                         "b= -5 \n"
                                                         "c=$1F\n"
                                                         "d=0x10\n"
                                                         "e=abc\n"
                                                         "f=99999999999\n"
                                                         "g=\n"
                                                         "h=12abc\n"
                                                         "i=$FFFFFFFF\n"
                                                         "t=1\n"
                                                         "u=0\n"
                                                         "v=2\n"
                                                         "w=yes\n"));
    const struct {
        const char* key;
        int value;
    } integers[] = {{"a", 12}, {"b", -5}, {"c", 31}, {"d", 16}, {"e", -7},
                    {"f", -7}, {"g", -7}, {"h", -7}, {"i", -1}, {"missing", -7}};
    for (const auto& c : integers) {
        EXPECT_EQ(file.ReadInteger("S", c.key, -7), c.value) << c.key;
    }
    EXPECT_TRUE(file.ReadBool("S", "t", false));
    EXPECT_FALSE(file.ReadBool("S", "u", true));
    EXPECT_TRUE(file.ReadBool("S", "v", false));
    EXPECT_TRUE(file.ReadBool("S", "w", true));
    EXPECT_FALSE(file.ReadBool("S", "w", false));
}

TEST(ProfileFile, WritesKeepTheLayoutOfTheFile) {
    ProfileFile file = ProfileFile::FromBytes(Text("; kept\r\n"
                                                   "[MainFrm]\r\n"
                                                   "TOP = 1\r\n"
                                                   "Left=2\r\n"
                                                   "\r\n"
                                                   "[Skin]\r\n"
                                                   "FileName=sky\r\n"
                                                   "[mainfrm]\r\n"
                                                   "Top=3\r\n"));
    file.WriteInteger("mainfrm", "top", 40);
    file.WriteBool("MainFrm", "LinearStretch", true);
    file.WriteBool("Skin", "Flag", false);
    file.WriteString("Font.Wavefrm", "Name", "ＭＳ Ｐゴシック");
    EXPECT_EQ(Written(file), "; kept\r\n"
                             "[MainFrm]\r\n"
                             "TOP=40\r\n"
                             "Left=2\r\n"
                             "LinearStretch=1\r\n"
                             "\r\n"
                             "[Skin]\r\n"
                             "FileName=sky\r\n"
                             "Flag=0\r\n"
                             "[mainfrm]\r\n"
                             "Top=3\r\n"
                             "\r\n"
                             "[Font.Wavefrm]\r\n"
                             "Name=ＭＳ Ｐゴシック\r\n");

    ProfileFile fresh;
    fresh.WriteInteger("A", "x", 1);
    fresh.WriteInteger("B", "y", 2);
    EXPECT_EQ(Written(fresh), "[A]\nx=1\n\n[B]\ny=2\n");
}

TEST(ProfileFile, ValuesReadBackAsWritten) {
    const QString values[] = {" padded ",         "\"quoted\"", "'single'", "a \"b\" c", "a=b;c",
                              "日本語のタイトル", "",           "\"",       "tab\t"};
    ProfileFile file;
    int i = 0;
    for (const QString& value : values) {
        file.WriteString("S", "k" + QString::number(i++), value);
    }
    file.WriteString("S", "broken", "two\r\nlines\nhere");
    const ProfileFile back = ProfileFile::FromBytes(file.ToBytes());
    i = 0;
    for (const QString& value : values) {
        EXPECT_EQ(back.Value("S", "k" + QString::number(i++)), value) << value.toStdString();
    }
    // A line break would end the line: the rest of the value would be lost or become a key.
    EXPECT_EQ(back.Value("S", "broken"), "two lines here");
    EXPECT_FALSE(back.ValueExists("S", "lines"));
}

// Song file names become section names, and a file name may hold a line break.
TEST(ProfileFile, SectionNamesWithLineBreaksStayOnOneLine) {
    ProfileFile file;
    file.WriteString("song\n[Evil]\nkey=x.mp3", "Count", "2");
    file.WriteString("song\n[Evil]\nkey=x.mp3", "Count", "3");
    EXPECT_EQ(Written(file), "[song [Evil] key=x.mp3]\nCount=3\n");
    const ProfileFile back = ProfileFile::FromBytes(file.ToBytes());
    EXPECT_EQ(back.Value("song\n[Evil]\nkey=x.mp3", "Count"), "3");
    EXPECT_FALSE(back.SectionExists("Evil"));
}

TEST(ProfileFile, EachLineIsUtf8OrShiftJisAndDamageLoadsWhatItCan) {
    QStringEncoder shiftJis("Shift_JIS");
    ASSERT_TRUE(shiftJis.isValid());
    const QByteArray japanese = shiftJis(QStringLiteral("曲のタイトル"));
    QByteArray bytes = "[A]\nutf=" + QStringLiteral("日本").toUtf8() + "\nsjis=" + japanese + "\n";
    bytes += Raw("\x01\xff\xfe garbage\0\0\n\0\0\0[B]\nx=1\0\0\n[C]\ncut=");
    bytes += QStringLiteral("日本").toUtf8().left(4);
    const ProfileFile file = ProfileFile::FromBytes(bytes);
    EXPECT_EQ(file.Value("A", "utf"), "日本");
    EXPECT_EQ(file.Value("A", "sjis"), "曲のタイトル");
    EXPECT_EQ(file.ReadInteger("B", "x", 0), 1);
    EXPECT_TRUE(file.Value("C", "cut").value_or("").startsWith(QStringLiteral("日")));
}

TEST(ProfileFile, EraseSectionRemovesEveryRepeat) {
    ProfileFile file = ProfileFile::FromBytes(Text("[A]\nx=1\n[B]\ny=2\n[a]\nx=3\n"));
    file.EraseSection("a");
    EXPECT_FALSE(file.SectionExists("A"));
    EXPECT_EQ(Written(file), "[B]\ny=2\n");
    std::vector<std::string> seen;
    file.ForEachValue([&](const QString& section, const QString& key, const QString& value) {
        seen.push_back((section + "/" + key + "=" + value).toStdString());
    });
    EXPECT_EQ(seen, std::vector<std::string>{"B/y=2"});
}

TEST(ProfileFile, SavesWholeAndReportsFailuresWithPathAndReason) {
    TempDir dir;
    const std::string path = dir.File("settings.ini");
    ProfileFile missing(path);
    EXPECT_FALSE(missing.SectionExists("A"));
    missing.WriteInteger("A", "x", 1);
    missing.Save();
    EXPECT_EQ(ProfileFile(path).ReadInteger("A", "x", 0), 1);

    // A folder in the way of the file cannot be read as one.
    EXPECT_THROW(ProfileFile(dir.Path()), EProfileFileError);

    const std::string blocked = dir.File("settings.ini/inner.ini");
    ProfileFile file;
    file.WriteInteger("A", "x", 2);
    try {
        file.SaveAs(blocked);
        FAIL() << "saved under a file";
    } catch (const EProfileFileError& error) {
        EXPECT_NE(error.Message().find(blocked), std::string::npos) << error.Message();
        EXPECT_GT(error.Message().size(), blocked.size() + 20) << error.Message();
    }

    if (geteuid() != 0) {
        // The folder cannot take the temporary file: the old file stays as it was.
        ASSERT_EQ(chmod(dir.Path().c_str(), 0555), 0);
        ProfileFile changed(path);
        changed.WriteInteger("A", "x", 3);
        EXPECT_THROW(changed.Save(), EProfileFileError);
        chmod(dir.Path().c_str(), 0755);
        EXPECT_EQ(ProfileFile(path).ReadInteger("A", "x", 0), 1);
    }
}

} // namespace
