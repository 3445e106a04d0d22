#include "skins/skin_error.h"
#include "skins/skin_line.h"
#include "skins/skin_values.h"

#include <gtest/gtest.h>
#include <optional>

namespace {

struct LineCase {
    const char* line;
    TSkinLineKind kind;
    const char* name;  // nullptr: not read
    const char* value; // the value after the line, starting from "before"
};

class SkinLineTest : public testing::TestWithParam<LineCase> {};

TEST_P(SkinLineTest, Classifies) {
    const LineCase& test = GetParam();
    QString name;
    QString value = "before";
    EXPECT_EQ(ClassifySkinLine(QString::fromUtf8(test.line), name, value), test.kind);
    if (test.name != nullptr) {
        EXPECT_EQ(name, QString::fromUtf8(test.name));
    }
    EXPECT_EQ(value, QString::fromUtf8(test.value));
}

using K = TSkinLineKind;

INSTANTIATE_TEST_SUITE_P(
    Lines, SkinLineTest,
    testing::Values(LineCase{"", K::Ignored, nullptr, "before"},
                    LineCase{" \t\r", K::Ignored, nullptr, "before"},
                    LineCase{"<?xml version=\"1.0\"?>", K::Ignored, nullptr, "before"},
                    LineCase{"  <!--\r", K::CommentStart, nullptr, "before"},
                    LineCase{"-->", K::CommentEnd, nullptr, "before"},
                    LineCase{"--!>", K::CommentEnd, nullptr, "before"},
                    LineCase{"<>", K::SyntaxError, nullptr, "before"},
                    LineCase{"x", K::SyntaxError, nullptr, "before"},
                    LineCase{"</>", K::SyntaxError, nullptr, "before"},
                    LineCase{"<Mainfrm>", K::Open, "Mainfrm", "before"},
                    LineCase{"\t</Mainfrm>  ", K::Close, "Mainfrm", "before"},
                    LineCase{"<!-- note -->", K::Open, "!--", "before"},
                    // The brackets are whatever the first and last characters are.
                    LineCase{"[Button]", K::Open, "Button", "before"},
                    LineCase{"<Height Value=\"320\"/>", K::Property, "Height", "320"},
                    LineCase{"<Height/>", K::Property, "Height", "before"},
                    LineCase{"<Height Value=\"\"/>", K::Property, "Height", ""},
                    LineCase{"<Bitmap Value=a.bmp/>", K::Property, "Bitmap", "a.bmp/"},
                    LineCase{"<Caption Value=\"a b\" x=\"y\"/>", K::Property, "Caption", "a b"},
                    LineCase{"<Caption Value=\"open/>", K::Property, "Caption", "open/"},
                    LineCase{"<Caption value=\"x\"/>", K::Property, "Caption", "before"},
                    // A closing slash at the end makes a property of a closing line.
                    LineCase{"</Label Value=\"1\"/>", K::Property, "Label", "1"},
                    LineCase{"<Label Value=\"1\">", K::Open, "Label", "1"}));

TEST(SkinLineTest, KeepsAtMost256CharactersOfAValue) {
    QString name;
    QString value;
    ClassifySkinLine("<Caption Value=" + QString(300, 'a') + "/>", name, value);
    EXPECT_EQ(value, QString(256, 'a'));
}

struct NumberCase {
    const char* text;
    std::optional<int> value;
};

class SkinNumberTest : public testing::TestWithParam<NumberCase> {};

TEST_P(SkinNumberTest, ReadsAsTheWindowsProgramDid) {
    EXPECT_EQ(ParseSkinNumber(QString::fromUtf8(GetParam().text)), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, SkinNumberTest,
    testing::Values(NumberCase{"320", 320}, NumberCase{"  -12", -12}, NumberCase{"+7", 7},
                    NumberCase{"$1F", 31}, NumberCase{"0x1f", 31}, NumberCase{"-$10", -16},
                    NumberCase{"$FFFFFFFF", -1}, NumberCase{"2147483647", 2147483647},
                    NumberCase{"-2147483648", -2147483647 - 1}, NumberCase{"2147483648", {}},
                    NumberCase{"$100000000", {}}, NumberCase{"", {}}, NumberCase{"$", {}},
                    NumberCase{"12 ", {}}, NumberCase{"1e3", {}}, NumberCase{"#10", {}}));

TEST(SkinValueTest, IntegerForm) {
    EXPECT_EQ(SkinInteger("#FF0000"), 0xFF0000);
    EXPECT_EQ(SkinInteger("-1"), -1);
    EXPECT_THROW(SkinInteger("#"), ESkinError) << "a lone # marks no digits";
}

TEST(SkinValueTest, ColourFormDropsItsFirstCharacter) {
    EXPECT_EQ(SkinColor("#FF0000"), 0xFF0000);
    EXPECT_EQ(SkinColor("x 00FF00 "), 0x00FF00);
    EXPECT_EQ(SkinColor("#FFFFFF"), 0xFFFFFF);
    EXPECT_THROW(SkinColor("#"), ESkinError);
    EXPECT_EQ(ColorOfColorRef(0xFF0000), QColor(Qt::blue));
    EXPECT_EQ(ColorOfColorRef(0x0000FF), QColor(Qt::red));
}

} // namespace
