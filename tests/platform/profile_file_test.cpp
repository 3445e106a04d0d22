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

// Values that are not a whole integer in 32 bits give the default, never a partial or
// wrapped-around number.
TEST(ProfileFile, IntegersOutOfRangeOrMalformedGiveTheDefault) {
    const struct {
        const char* value;
        int expected;
    } cases[] = {
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"+5", 5},
        {"-0", 0},
        {"00000000000000000000012", 12},
        {"\" 12 \"", 12},
        {"0X1f", 31},
        {"0x7FFFFFFF", 2147483647},
        {"$80000000", -2147483647 - 1},
        {"0x0000000000000000000010", 16},
        {"2147483648", -7},
        {"-2147483649", -7},
        {"99999999999999999999", -7},
        {"-99999999999999999999", -7},
        {"0x100000000", -7},
        {"$FFFFFFFFFF", -7},
        {"0x", -7},
        {"$", -7},
        {"-", -7},
        {"+", -7},
        {"- 5", -7},
        {"5-", -7},
        {"1e3", -7},
        {"1.5", -7},
        {"0x0x10", -7},
        {"$0x1F", -7},
        {"0x+1", -7},
        {"0x-1", -7},
        {"$-1", -7},
        {"$ 1", -7},
        {"0xG", -7},
        {"\xef\xbc\x91\xef\xbc\x92", -7}, // full-width digits
    };
    for (const auto& c : cases) {
        const ProfileFile file = ProfileFile::FromBytes(QByteArray("[S]\nk=") + c.value + "\n");
        EXPECT_EQ(file.ReadInteger("S", "k", -7), c.expected) << c.value;
    }
}

TEST(ProfileFile, LinesEndInCrLfCrOrLf) {
    const struct {
        const char* end;
        const char* written;
    } cases[] = {{"\r\n", "\r\n"}, {"\r", "\n"}, {"\n", "\n"}};
    for (const auto& c : cases) {
        const std::string end = c.end;
        const ProfileFile file = ProfileFile::FromBytes(QByteArray::fromStdString(
            "[Song]" + end + "Key=1" + end + end + "[Other]" + end + "x=2" + end));
        EXPECT_EQ(file.ReadInteger("Song", "Key", 0), 1) << c.written;
        EXPECT_EQ(file.ReadInteger("Other", "x", 0), 2) << c.written;
        EXPECT_EQ(file.ValueCount("Song"), 1) << c.written;
        const std::string w = c.written;
        EXPECT_EQ(Written(file), "[Song]" + w + "Key=1" + w + w + "[Other]" + w + "x=2" + w);
    }

    // The first line end decides how the file is written.
    ProfileFile mixed = ProfileFile::FromBytes(Text("[A]\r\nk=1\rj=2\n\r\n[B]\rm=3"));
    EXPECT_EQ(mixed.Value("A", "k"), "1");
    EXPECT_EQ(mixed.Value("A", "j"), "2");
    EXPECT_EQ(mixed.Value("B", "m"), "3");
    mixed.WriteInteger("A", "n", 4);
    EXPECT_EQ(Written(mixed), "[A]\r\nk=1\r\nj=2\r\nn=4\r\n\r\n[B]\r\nm=3\r\n");
}

// Lookups go through an index that writes and erasures must keep in step with the lines.
TEST(ProfileFile, LookupsFollowWritesAndErasures) {
    ProfileFile file = ProfileFile::FromBytes(Text("[A]\n"
                                                   "k=1\n"
                                                   "K=2\n"
                                                   "; end of A\n"
                                                   "[B]\n"
                                                   "x=1\n"
                                                   "[a]\n"
                                                   "k=3\n"
                                                   "[C]\n"
                                                   "y=1\n"));
    file.WriteInteger("a", "New", 5);
    file.WriteInteger("A", "K", 7);
    EXPECT_EQ(file.ReadInteger("A", "new", 0), 5);
    EXPECT_EQ(file.ReadInteger("A", "k", 0), 7);
    EXPECT_EQ(file.ValueCount("A"), 3);
    file.EraseSection("b");
    EXPECT_FALSE(file.SectionExists("B"));
    EXPECT_EQ(file.ReadInteger("C", "y", 0), 1);
    EXPECT_EQ(file.ReadInteger("A", "NEW", 0), 5);
    file.WriteInteger("B", "x", 9);
    file.WriteInteger("C", "z", 2);
    EXPECT_EQ(file.ReadInteger("b", "X", 0), 9);
    EXPECT_EQ(file.ReadInteger("c", "Z", 0), 2);
    file.EraseSection("A");
    EXPECT_FALSE(file.ValueExists("A", "k"));
    file.WriteInteger("A", "k", 8);
    EXPECT_EQ(Written(file), "[C]\n"
                             "y=1\n"
                             "z=2\n"
                             "\n"
                             "[B]\n"
                             "x=9\n"
                             "\n"
                             "[A]\n"
                             "k=8\n");
}

// A song data file gathers a section for every song ever played; start-up reads it whole.
TEST(ProfileFile, HundredThousandKeysOrSectionsLoadAndAnswerEveryLookup) {
    constexpr int Count = 100000;
    QByteArray oneSection = "[Song]\r\n";
    QByteArray manySections;
    for (int i = 0; i < Count; ++i) {
        const QByteArray n = QByteArray::number(i);
        oneSection += "Key" + n + "=" + n + "\r\n";
        manySections += "[Song " + n + ".mp3]\nWaveFrmCount=" + n + "\n";
    }
    manySections += "[SONG 0.MP3]\nWaveFrmCount=-1\n";

    ProfileFile keys = ProfileFile::FromBytes(oneSection);
    EXPECT_EQ(keys.ValueCount("song"), Count);
    for (int i = 0; i < Count; ++i) {
        const QString key = (i % 2 == 0 ? "KEY" : "key") + QString::number(i);
        ASSERT_EQ(keys.ReadInteger("Song", key, -1), i) << i;
    }
    keys.WriteInteger("Song", "Key99999", -5);
    keys.WriteInteger("Song", "Added", 1);
    EXPECT_EQ(keys.ReadInteger("Song", "key99999", 0), -5);
    EXPECT_EQ(keys.ValueCount("Song"), Count + 1);
    EXPECT_TRUE(keys.ToBytes().endsWith("Key99998=99998\r\nKey99999=-5\r\nAdded=1\r\n"));

    ProfileFile sections = ProfileFile::FromBytes(manySections);
    for (int i = 0; i < Count; ++i) {
        const QString section = "song " + QString::number(i) + ".MP3";
        ASSERT_EQ(sections.ReadInteger(section, "WaveFrmCount", -2), i) << i;
        ASSERT_EQ(sections.ValueCount(section), 1) << i;
    }
    sections.EraseSection("Song 1.mp3");
    EXPECT_FALSE(sections.SectionExists("Song 1.mp3"));
    EXPECT_EQ(sections.ReadInteger("Song 99999.mp3", "WaveFrmCount", 0), 99999);
    sections.EraseSection("Song 0.mp3");
    EXPECT_FALSE(sections.SectionExists("song 0.mp3")); // the repeat went with it
    EXPECT_EQ(sections.ReadInteger("Song 2.mp3", "WaveFrmCount", 0), 2);
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
